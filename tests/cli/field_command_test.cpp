#include "field_command.h"

#include <gtest/gtest.h>

#include "convert/convert_texts.h"
#include "field/field_texts.h"
#include "project/project_texts.h"
#include "project_text.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

// Three conductors over two 300 m spans, 500 A, sampled every metre.
const std::string kLine = test::project_text(
    {"500 3 3 1", "0 0 120 0 240 0", "0 0 0 90 300 0 0 90 600 0 0 90", "20 20 20 20 20 20 20 20 20",
     "-4 -4 -4 0 0 0 4 4 4", "1000 1000 1000 1000 1000 1000"});

class Campo : public ::testing::Test {
 protected:
  Campo() { test::write_file(project_, kLine); }
  Outcome plane(Arguments extra, const std::string& result) {
    Arguments a{"campo",   project_, "--piano", "--origine", "-50", "-60",
                "--passo", "10",     "20",      "--passi",   "4",   "6"};
    a.insert(a.end(), extra.begin(), extra.end());
    a.push_back(dir_.file(result));
    return tralva_util(a);
  }

  test::TempDir dir_;
  const std::string project_ = dir_.file("linea.tlva");
};

TEST_F(Campo, WritesTheResultAndPrintsTheSummary) {
  const Outcome r = plane({"--quota", "1", "--precisione", "dm"}, "r.txt");
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Punti calcolati: 35\nCampo massimo: ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nPunti con almeno 100 uT: 0\n"), std::string::npos) << r.out;
  const std::string result = test::read_file(dir_.file("r.txt"));
  EXPECT_EQ(result.rfind("X\tY\tZ\tB [uT]\r\n-50.0\t-60.0\t1.0\t", 0), 0u) << result;
  // The result conversion takes it with the same steps.
  const Outcome converted = tralva_util({"risultato", "--passi", "4", "6", "--precisione", "dm",
                                         dir_.file("r.txt"), dir_.file("m.txt")});
  EXPECT_EQ(converted.status, kSuccess);
  EXPECT_EQ(test::read_file(dir_.file("m.txt"))
                .rfind("0.0\t-50.0\t-40.0\t-30.0\t-20.0\t-10.0\r\n"
                       "-60.0\t",
                       0),
            0u);
}

TEST_F(Campo, ComputesAtThePointsOfAFile) {
  test::write_file(dir_.file("p.txt"), "X\tY\tZ\r\n150\t0\t0\r\n150\t30\t0\r\n");
  const Outcome r = tralva_util(
      {"campo", project_, "--punti", dir_.file("p.txt"), "--quota", "1.5", dir_.file("r.txt")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out.rfind("Punti calcolati: 2\nCampo massimo: ", 0), 0u) << r.out;
  EXPECT_EQ(test::read_file(dir_.file("r.txt")).substr(0, 22), "X\tY\tZ\tB [uT]\r\n150\t0\t2\t");
}

// The lines of a result file after its header, each with its line end.
std::vector<std::string> result_lines(const std::string& file) {
  std::vector<std::string> lines;
  for (std::size_t at = file.find('\n') + 1; at < file.size();) {
    const std::size_t end = file.find('\n', at) + 1;
    lines.push_back(file.substr(at, end - at));
    at = end;
  }
  return lines;
}

TEST_F(Campo, ComputesAtSeveralHeightsAndKeepsTheLargest) {
  test::write_file(dir_.file("p.txt"), "X Y Z\n150 0 0\n150 30 10\n");
  // The first line it prints, and the result file.
  const auto campo = [&](Arguments extra) {
    Arguments a{"campo", project_, "--punti", dir_.file("p.txt"), "--precisione", "dm"};
    a.insert(a.end(), extra.begin(), extra.end());
    a.push_back(dir_.file("r.txt"));
    const Outcome r = tralva_util(a);
    EXPECT_EQ(r.status, kSuccess) << r.err;
    return std::pair{r.out.substr(0, r.out.find('\n')), test::read_file(dir_.file("r.txt"))};
  };
  // 1, 5.5, 10 and 14.5 m above each point, one height at a time.
  std::vector<std::vector<std::string>> single;
  for (const char* quota : {"1", "5.5", "10", "14.5"}) {
    single.push_back(result_lines(campo({"--quota", quota}).second));
  }
  const std::string header = "X\tY\tZ\tB [uT]\r\n";
  std::string heights = header, highest = header;
  for (std::size_t i = 0; i < 2; ++i) {
    std::size_t best = 0;
    for (std::size_t k = 0; k < single.size(); ++k) {
      heights += single[k][i];
      const auto field = [&](std::size_t h) {
        return std::stod(single[h][i].substr(single[h][i].rfind('\t') + 1));
      };
      if (field(k) > field(best)) best = k;
    }
    highest += single[best][i];
  }
  const Arguments z{"--quota", "1", "--passo-z", "4.5", "--passi-z", "3"};
  EXPECT_EQ(campo(z), std::pair(std::string("Punti calcolati: 8"), heights));
  Arguments maximum = z;
  maximum.push_back("--massimo");
  EXPECT_EQ(campo(maximum), std::pair(std::string("Punti calcolati: 2"), highest));
}

TEST_F(Campo, PartsSplitTheRows) {
  ASSERT_EQ(plane({}, "whole.txt").status, kSuccess);
  std::string joined;
  for (const char* part : {"1/3", "2/3", "3/3"}) {
    const Outcome r = plane({"--parte", part}, "part.txt");
    ASSERT_EQ(r.status, kSuccess) << r.err;
    joined += test::read_file(dir_.file("part.txt"));
  }
  EXPECT_EQ(joined, test::read_file(dir_.file("whole.txt")));
}

// Every segment of the line lies within the default buffer of 1000 m: three
// conductors over 600 m sampled every metre.
TEST_F(Campo, AnEstimateCountsTheWorkAndWritesNothing) {
  const Outcome r = plane({"--stima"}, "r.txt");
  EXPECT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.out.rfind("Stima del calcolo (nessun file scritto)\nPunti: 35\n"
                        "Tratti di conduttore entro il buffer, in media: 1800.0 (su 35 punti di "
                        "prova)\nValutazioni previste: 6.3e+04\nTempo previsto su questa "
                        "macchina (",
                        0),
            0u)
      << r.out;
  EXPECT_FALSE(test::exists(dir_.file("r.txt")));
  // Three heights with their maximum: the evaluations of every height.
  test::write_file(dir_.file("p.txt"), "X Y Z\n150 0 0\n");
  const Outcome heights =
      tralva_util({"campo", project_, "--punti", dir_.file("p.txt"), "--passi-z", "2", "--massimo",
                   "--stima", dir_.file("r.txt")});
  EXPECT_NE(heights.out.find("\nAltezze per punto: 3\n"), std::string::npos) << heights.out;
  EXPECT_NE(heights.out.find("\nValutazioni previste: 5.4e+03\n"), std::string::npos);
  // The output must still be one that can be written.
  const Outcome nowhere = plane({"--stima"}, "cartella-che-non-c-e/r.txt");
  EXPECT_EQ(nowhere.status, kError);
  EXPECT_EQ(nowhere.out, "");
}

TEST_F(Campo, MisusedOptionsAreUsageErrors) {
  const std::string out = dir_.file("r.txt");
  for (const Arguments& a : std::vector<Arguments>{
           {"campo", project_, out},
           {"campo", project_, "--piano", "--punti", "p.txt", out},
           {"campo", project_, "--piano", "--origine", "0", "0", "--passi", "1", "1", out},
           {"campo", project_, "--punti", "p.txt", "--fi", "90", out},
           {"campo", project_, "--punti", "p.txt", "--precisione", "km", out},
           {"campo", project_, "--punti", "p.txt", out, "extra"}}) {
    EXPECT_EQ(tralva_util(a).status, kUsage);
  }
  // The heights belong to the points of a file, and climb.
  for (const auto& [option, value, why] : {std::tuple{"--passo-z", "1", "vale solo con --punti"},
                                           {"--passi-z", "1", "vale solo con --punti"},
                                           {"--massimo", nullptr, "vale solo con --punti"}}) {
    Arguments a{option};
    if (value) a.push_back(value);
    const Outcome r = plane(a, "r.txt");
    EXPECT_EQ(r.status, kUsage) << option;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              std::string("Errore: ") + option + " " + why + ".");
  }
  for (const auto& [option, value, why] : {std::tuple{"--passo-z", "0", "maggiore di 0"},
                                           {"--passo-z", "-1", "maggiore di 0"},
                                           {"--passi-z", "-1", "maggiore o uguale a 0"}}) {
    const Outcome r = tralva_util({"campo", project_, "--punti", "p.txt", option, value, out});
    EXPECT_EQ(r.status, kUsage) << option << " " << value;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              std::string("Errore: ") + option + ": «" + value + "» deve essere " + why + ".");
  }
  for (const char* part : {"0/3", "4/3", "1/0", "2", "a/b", "1/3x", "-1/3", "1/99999999999"}) {
    const Outcome r = plane({"--parte", part}, "r.txt");
    EXPECT_EQ(r.status, kUsage) << part;
    EXPECT_EQ(
        r.err.substr(0, r.err.find('\n')),
        std::string("Errore: --parte: «") + part + "» non è una parte valida (K/N con 1 ≤ K ≤ N).");
  }
  EXPECT_FALSE(test::exists(out));
}

TEST_F(Campo, OptionsThatAreNotNumbersAndFailuresAreReported) {
  for (const auto& [option, value, why] :
       {std::tuple{"--buffer", "x", "non è un numero."},
        std::tuple{"--quota", "1e39",
                   "è fuori dall'intervallo ammesso, da -3.40282e+38 a 3.40282e+38."},
        std::tuple{"--fi", "1e400",
                   "è fuori dall'intervallo ammesso, da -1.79769e+308 a 1.79769e+308."}}) {
    const Outcome r = plane({option, value}, "r.txt");
    EXPECT_EQ(r.status, kUsage) << option;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              std::string("Errore: ") + option + ": «" + value + "» " + why);
  }
  const Outcome missing = tralva_util(
      {"campo", dir_.file("none.tlva"), "--punti", dir_.file("p.txt"), dir_.file("r.txt")});
  EXPECT_EQ(missing.status, kError);
  EXPECT_EQ(missing.err, std::string("Errore: ") + project_text::kCannotOpen +
                             "\nCausa: file o directory inesistente.\n");
  const Outcome huge =
      tralva_util({"campo", project_, "--piano", "--origine", "0", "0", "--passo", "1", "1",
                   "--passi", "2000000000", "2000000000", dir_.file("r.txt")});
  EXPECT_EQ(huge.status, kError);
  EXPECT_NE(huge.err.find(field_text::kNoRoom), std::string::npos);
  EXPECT_FALSE(test::exists(dir_.file("r.txt")));
}

}  // namespace
}  // namespace tralva::cli
