#include "geometry_commands.h"

#include <gtest/gtest.h>

#include "geometry/geometry_texts.h"
#include "project/project_file.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

TEST(Angoli, PrintsOneAnglePerPylon) {
  const Outcome r = tralva_util({"angoli", "0", "0", "100", "0", "100", "100"});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out, "90\n135\n0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(tralva_util({"angoli", "+0", "0", "0", "1e2"}).out, "0\n0\n");
  EXPECT_EQ(tralva_util({"angoli", "0", "0", "3", "1"}).out, "108.435\n108.435\n");
}

TEST(Angoli, CoincidentPylonsAreAnError) {
  const Outcome r = tralva_util({"angoli", "0", "0", "100", "0", "0", "0.0000001"});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Errore: Due tralicci non possono avere le stesse coordinate.\n");
}

TEST(Angoli, ACoordinateThatIsNotWhollyANumberIsNamed) {
  Outcome r = tralva_util({"angoli", "0", "0", "1,5", "x"});
  EXPECT_EQ(r.status, kUsage);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
            "Errore: X2: «1,5» non è un numero: il separatore decimale è il punto.");
  r = tralva_util({"angoli", "0", "0", "0", "100m"});
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "Errore: Y2: «100m» non è un numero.");
}

TEST(Angoli, WrongNumberOfCoordinatesIsBadUsage) {
  for (const Arguments& a : {Arguments{"angoli", "0", "0"}, Arguments{"angoli", "0", "0", "1"},
                             Arguments{"angoli", "0", "0", "1", "1", "2", "2", "3", "3", "4", "4",
                                       "5", "5", "6", "6"}}) {
    const Outcome r = tralva_util(a);
    EXPECT_EQ(r.status, kUsage) << a.size();
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              "Errore: servono le coordinate X Y di 2-6 tralicci; valori indicati: " +
                  std::to_string(a.size() - 1) + ".");
    EXPECT_NE(r.err.find("tralva-util angoli X1 Y1 X2 Y2"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

class Geometria : public testing::Test {
 protected:
  std::string project(const std::string& rows) {
    const std::string path = dir_.file("p.tlva");
    test::write_file(path, std::string(project_header()) + rows);
    return path;
  }
  test::TempDir dir_;
};

TEST_F(Geometria, PrintsTheGeometryAsJson) {
  // A chord (sag 5) between two supports along +X; arms of length 0.
  const Outcome r =
      tralva_util({"geometria", project("10 1 2 0.5\r\n120 0\r\n0 0 1 0 300 0 2 0 \r\n"
                                        "20 30.5 \r\n0 0 \r\n5 \r\n")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.substr(0, r.out.find("\"vertex_offset\"")),
            R"({"lines":[{"current":10,"conductor_count":1,"support_count":2,"segment_length":0.5,)"
            R"("is_overhead":true,"supports":[{"x":0,"y":0,"ground_level":1,"arm_angle":0,)"
            R"("top_level":21},{"x":300,"y":0,"ground_level":2,"arm_angle":0,"top_level":32.5}],)"
            R"("conductors":[{"phase_code":120,"arm_length":[0,0],"suspension_points":[[0,0,21],)"
            R"([300,0,32.5]],"spans":[{"span_length":300,"span_azimuth":0,)");
  EXPECT_NE(r.out.find(R"("samples":[[0,0,21],[300,0,32.5]]}]}]}]})"), std::string::npos);
  EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(Geometria, ValuesNotComputedAreNull) {
  // Sag below 1: no catenary, the line in single pieces (shortest form: 1e+06).
  const Outcome r = tralva_util({"geometria", project("10 1 2 30\r\n0 0\r\n0 0 0 0 300 0 0 0 \r\n"
                                                      "20 20 \r\n0 0 \r\n0.5 \r\n")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_NE(r.out.find(R"("segment_length":1e+06,)"), std::string::npos);
  EXPECT_NE(r.out.find(R"("vertex_offset":null,"curve_offset":null,)"), std::string::npos);
  EXPECT_EQ(tralva_util({"geometria", project("100 1 2\r\n")}).out, "{\"lines\":[]}\n");
}

TEST_F(Geometria, FailuresPrintTheirMessageAndNoJson) {
  const Outcome missing = tralva_util({"geometria", dir_.file("none.tlva")});
  EXPECT_EQ(missing.status, kError);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "Errore: Impossibile aprire il file di dati.\n"
            "Verificare che si trovi nella posizione specificata.\n"
            "Causa: file o directory inesistente.\n");
  const Outcome warned =
      tralva_util({"geometria", project("10 1 2 0\r\n0 0\r\n0 0 0 0 300 0 0 0 \r\n"
                                        "20 20 \r\n0 0 \r\n1000 \r\n")});
  EXPECT_EQ(warned.status, kWarning);
  EXPECT_EQ(warned.out, "");
  EXPECT_EQ(warned.err,
            "Attenzione: Controllate i valori di tesatura\ne lunghezza del segmento per la "
            "linea 1.\nIl calcolo verrà interrotto.\n");
  EXPECT_EQ(tralva_util({"geometria"}).status, kUsage);
  EXPECT_EQ(tralva_util({"geometria", "a", "b"}).status, kUsage);
}

// One conductor of phase 0x78 (120) on a chord 100 m long at a height of
// 20 m; arms of length 0.
class Disegna : public Geometria {
 protected:
  std::string line() {
    return project("10 1 2 30\r\n0x78 0\r\n0 0 0 90 100 0 0 90 \r\n20 20 \r\n0 0 \r\n5 \r\n");
  }
  Outcome draw(Arguments options) {
    Arguments arguments{"disegna", line()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return tralva_util(arguments);
  }
  static constexpr const char* kHead =
      R"({"projection":"XY","horizontal_axis_label":"X","vertical_axis_label":"Y",)"
      R"("plot":[250,40,990,690],"segments":)";
};

TEST_F(Disegna, WritesTheDisplayListAsJson) {
  const std::string out = dir_.file("xy.json");
  const Outcome r = draw({"--x", "0", "100", "--y", "-1", "1", "--z", "0", "40", "-o", out});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(test::read_file(out),
            std::string(kHead) +
                "[[1000,250,365,250,365],[1000,990,365,990,365],[120,250,365,990,365]]}\r\n");
  // In elevation each pylon has its arm (of no length) and its shaft.
  draw({"-o", out, "--proiezione", "XZ", "--x", "0", "100", "--y", "-1", "1", "--z", "0", "40"});
  EXPECT_EQ(test::read_file(out),
            R"({"projection":"XZ","horizontal_axis_label":"X","vertical_axis_label":"Z",)"
            R"("plot":[250,40,990,690],"segments":[[1000,250,365,250,365],[1000,250,690,250,365],)"
            R"([1000,990,365,990,365],[1000,990,690,990,365],[120,250,365,990,365]]})"
            "\r\n");
}

TEST_F(Disegna, WritesTheDrawingAsSvg) {
  const std::string out = dir_.file("yz.svg");
  const Outcome r = draw(
      {"--proiezione", "YZ", "--x", "0", "100", "--y", "-1", "1", "--z", "0", "40", "-o", out});
  EXPECT_EQ(r.status, kSuccess);
  const std::string svg = test::read_file(out);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find(">Z</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Y</text>"), std::string::npos);
  // Both pylons stand at Y = 0: the conductor is a point, drawn with no length.
  EXPECT_NE(
      svg.find(R"(<line x1="620" y1="365" x2="620" y2="365" stroke="#00b400" stroke-width="2"/>)"),
      std::string::npos);
  EXPECT_NE(
      svg.find(R"(<line x1="620" y1="690" x2="620" y2="365" stroke="#646464" stroke-width="4"/>)"),
      std::string::npos);
  std::size_t lines = 0;
  for (std::size_t at = svg.find("<line"); at != std::string::npos;
       at = svg.find("<line", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 5u);
}

TEST_F(Disegna, TakesTheKindFromTheExtensionInAnyCase) {
  const std::string svg = dir_.file("A.SVG");
  const std::string json = dir_.file("a.Json");
  EXPECT_EQ(draw({"--adatta", "-o", svg}).status, kSuccess);
  EXPECT_EQ(draw({"--adatta", "-o", json}).status, kSuccess);
  EXPECT_EQ(test::read_file(svg).rfind("<?xml", 0), 0u);
  EXPECT_EQ(test::read_file(json).rfind(kHead, 0), 0u);
}

TEST_F(Disegna, FitsTheBoundsAndIgnoresThoseGiven) {
  const std::string out = dir_.file("fit.json");
  const Outcome r = draw({"--adatta", "--x", "a", "b", "-o", out});
  EXPECT_EQ(r.status, kSuccess);
  // X from -5 to 105, Y from -1 to 1 (no width: a metre each side).
  EXPECT_EQ(test::read_file(out),
            std::string(kHead) +
                "[[1000,283,365,283,365],[1000,956,365,956,365],[120,283,365,956,365]]}\r\n");
}

TEST_F(Disegna, ChecksInTheViewersOrderAndLeavesTheOutputAlone) {
  using namespace geometry_text;
  const std::string out = dir_.file("kept.json");
  test::write_file(out, "old");
  const std::string bad_sag = dir_.file("bad.tlva");
  test::write_file(bad_sag,
                   std::string(project_header()) +
                       "10 1 2 30\r\n0 0\r\n0 0 0 90 100 0 0 90 \r\n20 20 \r\n0 0 \r\n-5 \r\n");
  const struct {
    Arguments arguments;
    int status;
    std::string message;
  } cases[] = {
      {{"", "--x", "1", "0", "-o", out}, kWarning, kViewWithoutPath},
      {{line(), "-o", out}, kWarning, kBoundsX},
      {{line(), "--x", "0", "1", "--proiezione", "XZ", "-o", out}, kWarning, kBoundsY},
      {{line(), "--x", "0", "1", "--y", "0", "1", "--z", "2", "2", "-o", out}, kWarning, kBoundsZ},
      {{dir_.file("none.tlva"), "--adatta", "-o", out},
       kError,
       "Impossibile aprire il file di dati.\nVerificare che si trovi nella posizione "
       "specificata.\nCausa: file o directory inesistente."},
      {{bad_sag, "--adatta", "-o", out}, kError, kNegativeSag},
  };
  for (const auto& c : cases) {
    Arguments arguments{"disegna"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const Outcome r = tralva_util(arguments);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_EQ(r.err, (c.status == kError ? "Errore: " : "Attenzione: ") + c.message + "\n");
    EXPECT_EQ(test::read_file(out), "old");
  }
  const std::string fresh = dir_.file("fresh.json");
  EXPECT_EQ(draw({"-o", fresh}).status, kWarning);
  EXPECT_FALSE(test::exists(fresh));
  const Outcome unwritable = draw({"--adatta", "-o", dir_.file("missing/x.svg")});
  EXPECT_EQ(unwritable.status, kError);
  // The text's own last line end gives way to the system's cause.
  EXPECT_EQ(unwritable.err, std::string("Errore: ") + kCannotCreateDrawing +
                                "Causa: file o directory inesistente.\n");
}

TEST_F(Disegna, BadUsageWritesNothing) {
  const std::string out = dir_.file("x.json");
  for (const Arguments& a :
       {Arguments{"disegna", line(), "--adatta"},
        Arguments{"disegna", line(), "-o", dir_.file("x.png")},
        Arguments{"disegna", line(), "--adatta", "-o", dir_.file("x.svgz")},
        Arguments{"disegna", line(), "--proiezione", "xy", "--adatta", "-o", out},
        Arguments{"disegna", line(), line(), "--adatta", "-o", out},
        Arguments{"disegna", line(), "--x", "0", "-o", out},
        Arguments{"disegna", line(), "--x", "0", "x", "-o", out},
        Arguments{"disegna", line(), "--adatta", "-o", "-"}}) {
    const Outcome r = tralva_util(a);
    EXPECT_EQ(r.status, kUsage) << a.back();
    EXPECT_NE(r.err.find("tralva-util disegna FILE [--proiezione XY|YZ|XZ]"), std::string::npos);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            1);  // the project alone
}

}  // namespace
}  // namespace tralva::cli
