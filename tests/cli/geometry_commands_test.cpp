#include "geometry_commands.h"

#include <gtest/gtest.h>

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
  // The fields' rule: leading blanks skipped, the rest after the number ignored.
  EXPECT_EQ(tralva_util({"angoli", " 0", "0", "0", "100m"}).out, "0\n0\n");
  EXPECT_EQ(tralva_util({"angoli", "0", "0", "3", "1"}).out, "108.435\n108.435\n");
}

TEST(Angoli, CoincidentPylonsAreAnError) {
  const Outcome r = tralva_util({"angoli", "0", "0", "100", "0", "0", "0.0000001"});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Errore: Due tralicci non possono avere le stesse coordinate.\n");
}

TEST(Angoli, ANonNumberBringsTheFieldPrompt) {
  const Outcome r = tralva_util({"angoli", "0", "0", "1,5", "x"});
  EXPECT_EQ(r.status, kWarning);
  EXPECT_EQ(r.err, "Attenzione: Please enter a number.\n");
}

TEST(Angoli, WrongNumberOfCoordinatesIsBadUsage) {
  for (const Arguments& a : {Arguments{"angoli", "0", "0"}, Arguments{"angoli", "0", "0", "1"},
                             Arguments{"angoli", "0", "0", "1", "1", "2", "2", "3", "3", "4", "4",
                                       "5", "5", "6", "6"}}) {
    const Outcome r = tralva_util(a);
    EXPECT_EQ(r.status, kUsage) << a.size();
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

}  // namespace
}  // namespace tralva::cli
