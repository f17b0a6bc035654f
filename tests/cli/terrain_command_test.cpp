#include "terrain_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "field/field_texts.h"
#include "project_text.h"
#include "run_tralva_util.h"
#include "terrain/terrain_texts.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

namespace text = terrain_text;

class Interpola : public ::testing::Test {
 protected:
  Interpola() {
    test::write_file(base_, "X\tY\tZ\r\n0\t0\t0\r\n0\t5\t0\r\n5\t0\t0\r\n5\t5\t0\r\n");
    test::write_file(survey_, "X;Y;Z\n0;0;100\n10;0;110\n0;10;120\n10;10;130\n");
  }
  Outcome interpola(Arguments extra, const std::string& survey = "") {
    Arguments a{"interpola", base_, survey.empty() ? survey_ : survey};
    a.insert(a.end(), extra.begin(), extra.end());
    a.push_back(terrain_);
    return tralva_util(a);
  }

  test::TempDir dir_;
  const std::string base_ = dir_.file("base.txt");
  const std::string survey_ = dir_.file("quote.txt");
  const std::string terrain_ = dir_.file("orografia.txt");
};

TEST_F(Interpola, WritesTheTerrainAndPrintsWhatItWrote) {
  const Outcome r = interpola({"--alfa", "0", "--vicini", "4", "--precisione", "dm"});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "Orografia creata con successo.\nPunti scritti: 4\nQuota minima: 100.00 m\n"
            "Quota massima: 115.00 m\n");
  // On the spot heights their own height; A = 0 elsewhere is the mean of all four.
  EXPECT_EQ(test::read_file(terrain_),
            "X\tY\tZ\r\n0.0\t0.0\t100.00\r\n0.0\t5.0\t115.00\r\n5.0\t0.0\t115.00\r\n"
            "5.0\t5.0\t115.00\r\n");
}

TEST_F(Interpola, AnEstimateCountsTheWorkAndWritesNothing) {
  const Outcome r = interpola({"--stima"});
  EXPECT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.out.rfind("Stima del calcolo (nessun file scritto)\nPunti: 4\nPunti quotati: 4\n"
                        "Tempo previsto su questa macchina (",
                        0),
            0u)
      << r.out;
  EXPECT_FALSE(test::exists(terrain_));
}

// The study over the ground, survey to field: bad input of either step
// ends with a clear message, writes nothing and takes no time or memory to
// speak of.
TEST_F(Interpola, BadInputEndsWithAClearMessageAndWritesNothing) {
  test::write_file(dir_.file("vuoto.txt"), "");
  test::write_file(dir_.file("intestazione.txt"), "X;Y;Z\r\n");
  test::write_file(dir_.file("nan.txt"), "0 0 1\n1 1 nan\n");
  test::write_file(dir_.file("virgola.txt"), "0;0;1\n1,5;2;3\n");
  test::write_file(dir_.file("enorme.txt"), "0 0 1\n");
  ASSERT_EQ(truncate(dir_.file("enorme.txt").c_str(), off_t{1} << 30), 0);
  ASSERT_EQ(mkfifo(dir_.file("fifo").c_str(), 0600), 0);
  std::string device = dir_.path().string();  // not a file either, where no node can be made
  if (geteuid() == 0) {
    // A device node of our own, with the null device's numbers.
    device = dir_.file("null");
    ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0);
  }
  // A thousand points at 2^31 heights each: terabytes.
  std::string many = "X Y Z\n";
  for (int i = 0; i < 1000; ++i) many += std::to_string(i) + " 0 0\n";
  test::write_file(dir_.file("molti.txt"), many);
  test::write_file(
      dir_.file("linea.tlva"),
      test::project_text({"1000 1 2 0", "0 0", "0 0 0 0 100 0 0 0", "-1 -1", "0 0", "0"}));
  const auto interpola = [&](const std::string& survey, Arguments options = {}) {
    Arguments a{"interpola", base_, survey, terrain_};
    a.insert(a.end(), options.begin(), options.end());
    return a;
  };
  const auto campo = [&](Arguments options) {
    Arguments a{"campo", dir_.file("linea.tlva"), "--punti", dir_.file("molti.txt"), terrain_};
    a.insert(a.end(), options.begin(), options.end());
    return a;
  };
  const std::string bad_line = text::kBadSpotLine;
  const struct {
    Arguments arguments;
    int status;
    std::string message;
  } cases[] = {
      {interpola(dir_.file("vuoto.txt")), kError, text::kNoSpotHeights},
      {interpola(dir_.file("intestazione.txt")), kError, text::kNoSpotHeights},
      {interpola(dir_.file("nan.txt")), kError, bad_line + "2" + text::kBadSpotLineEnd},
      {interpola(dir_.file("virgola.txt")), kError, bad_line + "2" + text::kDecimalCommaEnd},
      {interpola(dir_.file("enorme.txt")), kError, bad_line + "2" + text::kLongSpotLineEnd},
      {interpola(dir_.file("fifo")), kError, text::kCannotOpenSpotHeights},
      {interpola(device), kError, text::kCannotOpenSpotHeights},
      {interpola(survey_, {"--vicini", "0"}), kUsage,
       "--vicini: «0» deve essere maggiore o uguale a 1."},
      {interpola(survey_, {"--alfa", "-1"}), kUsage,
       "--alfa: «-1» deve essere maggiore o uguale a 0."},
      {interpola(survey_, {"--alfa", "1e39"}), kUsage,
       "--alfa: «1e39» è fuori dall'intervallo ammesso"},
      {interpola(survey_, {"--parte", "3/2"}), kUsage, "--parte: «3/2» non è una parte valida"},
      {campo({"--passo-z", "0"}), kUsage, "--passo-z: «0» deve essere maggiore di 0."},
      {campo({"--passi-z", "2147483647"}), kError, field_text::kNoRoom},
  };
  for (const auto& c : cases) {
    const Outcome r = tralva_util(c.arguments);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("Errore: " + c.message, 0), 0u) << r.err;
    EXPECT_FALSE(test::exists(terrain_)) << c.message;
  }
}

}  // namespace
}  // namespace tralva::cli
