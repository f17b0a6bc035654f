#include "convert_commands.h"

#include <gtest/gtest.h>

#include "convert/convert_messages.h"
#include "project/project_file.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

namespace text = convert_text;

TEST(Griglia, WritesTheBaseFileAndReportsOnStandardOutput) {
  test::TempDir dir;
  const Outcome r = tralva_util({"griglia", "--origine", "100", "200", "--passi", "2", "1",
                                 "--passo", "10", dir.file("g.txt")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out, std::string(text::kBaseCreated) + "\n");
  EXPECT_EQ(r.err, "");  // not a terminal: no progress line
  EXPECT_EQ(test::read_file(dir.file("g.txt")),
            "X\tY\tZ\r\n100\t200\t0\r\n100\t210\t0\r\n110\t200\t0\r\n110\t210\t0\r\n"
            "120\t200\t0\r\n120\t210\t0\r\n");
  // Options in any order, the precision.
  EXPECT_EQ(tralva_util({"griglia", dir.file("h.txt"), "--passo", "1e0", "--precisione", "mm",
                         "--passi", "0", "0", "--origine", "0.5", "0"})
                .status,
            kSuccess);
  EXPECT_EQ(test::read_file(dir.file("h.txt")), "X\tY\tZ\r\n0.500\t0.000\t0\r\n");
}

TEST(Griglia, OnATerminalDrawsAProgressLineThenClearsIt) {
  test::TempDir dir;
  const Outcome r = tralva_util(
      {"griglia", "--origine", "0", "0", "--passi", "99", "99", "--passo", "1", dir.file("g.txt")},
      true);
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out, std::string(text::kBaseCreated) + "\n");
  EXPECT_NE(r.err.find("\r1%  Tempo rimanente 0 h 0 m 0 s"), std::string::npos);
  EXPECT_NE(r.err.find("\r100%  Tempo rimanente 0 h 0 m 0 s"), std::string::npos);
  // One line per percentage at most, and the last thing is the clearing.
  EXPECT_LE(std::count(r.err.begin(), r.err.end(), '\r'), 110);
  EXPECT_EQ(r.err.substr(r.err.size() - 2), " \r");
  EXPECT_EQ(r.err.find('\n'), std::string::npos);
}

TEST(Griglia, MessagesOfThePageWithTheirStatus) {
  test::TempDir dir;
  Outcome r = tralva_util(
      {"griglia", "--origine", "0", "0", "--passi", "3", "0", "--passo", "0", dir.file("g.txt")});
  EXPECT_EQ(r.status, kWarning);
  EXPECT_EQ(r.err, std::string("Attenzione: ") + text::kStepNotPositive + "\n");
  EXPECT_FALSE(test::exists(dir.file("g.txt")));
  r = tralva_util({"griglia", "--origine", "0", "0", "--passi", "1", "1", "--passo", "1",
                   dir.file("missing/g.txt")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, std::string("Errore: ") + text::kCannotCreateBase + "\n");
  r = tralva_util({"griglia", "--origine", "0", "0", "--passi", "1", "1", "--passo", "1", ""});
  EXPECT_EQ(r.err, std::string("Attenzione: ") + text::kBaseWithoutPath + "\n");
}

TEST(Griglia, OptionValuesThatAreNotWhollyFiniteNumbersAreBadUsage) {
  test::TempDir dir;
  const std::string grid = dir.file("g.txt");
  const struct {
    Arguments values;  // --origine X Y --passi NX NY --passo S
    std::string message;
  } cases[] = {
      {{"x", "0", "1", "1", "1"}, "--origine: «x» non è un numero."},
      {{"0,5", "1", "0", "0", "1"},
       "--origine: «0,5» non è un numero: il separatore decimale è il punto."},
      {{"0", "10x", "1", "1", "1"}, "--origine: «10x» non è un numero."},
      {{"0", "0", "1.5", "x", "1"}, "--passi: «1.5» non è un numero intero."},
      {{"0", "0", "9999999999", "1", "1"},
       "--passi: «9999999999» è fuori dall'intervallo ammesso, da -2147483648 a 2147483647."},
      {{"0", "0", "1", "1", "1e400"},
       "--passo: «1e400» è fuori dall'intervallo ammesso, da -3.40282e+38 a 3.40282e+38."},
      {{"0", "0", "1", "1", " 1"}, "--passo: « 1» non è un numero."},
  };
  for (const auto& c : cases) {
    const Arguments& v = c.values;
    const Outcome r = tralva_util(
        {"griglia", "--origine", v[0], v[1], "--passi", v[2], v[3], "--passo", v[4], grid});
    EXPECT_EQ(r.status, kUsage) << c.message;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "Errore: " + c.message);
    EXPECT_FALSE(test::exists(grid));
  }
}

TEST(ConvertCommands, BadUsageExitsWith64AndShowsTheUsage) {
  const Arguments bad[] = {
      {"griglia", "--passi", "1", "1", "--passo", "1", "f"},                    // no --origine
      {"griglia", "--origine", "0", "0", "--passi", "1", "1", "--passo", "1"},  // no file
      {"griglia", "--origine", "0", "--passi", "1", "1", "--passo", "1", "f"},  // one value short
      {"griglia", "--origine", "0", "0", "--origine", "0", "0", "--passi", "1", "1", "--passo", "1",
       "f"},
      {"griglia", "--origine", "0", "0", "--passi", "1", "1", "--passo", "1", "--precisione", "km",
       "f"},
      {"risultato", "--passi", "1", "1", "in"},
      {"risultato", "--passi", "1", "1", "--phi", "0", "in", "out"},
      {"orografia", "in"},
      {"orografia", "--precisione", "MM", "in", "out"},
      {"unisci", "padre"},
      {"unisci", "a", "b", "c"},
  };
  for (const Arguments& a : bad) {
    const Outcome r = tralva_util(a);
    EXPECT_EQ(r.status, kUsage) << a[0] << " " << a.size();
    EXPECT_NE(r.err.find("Uso: tralva-util"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  const Outcome help = tralva_util({"--help"});
  for (const char* name : {"griglia", "risultato", "orografia", "unisci"}) {
    EXPECT_NE(help.out.find(std::string("tralva-util ") + name + " "), std::string::npos);
  }
}

TEST(Risultato, ConvertsWithFiAndPsiDefaultingToZero) {
  test::TempDir dir;
  test::write_file(dir.file("in.txt"),
                   "X\tY\tZ\tB\n0\t0\t0\t1.5\n10\t0\t0\t2.5\n0\t10\t0\t3.5\n10\t10\t0\t4.5\n");
  Outcome r =
      tralva_util({"risultato", "--passi", "1", "1", dir.file("in.txt"), dir.file("out.txt")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out, std::string(text::kConversionDone) + "\n");
  EXPECT_EQ(test::read_file(dir.file("out.txt")),
            "0.0\t0\t10\r\n0\t1.500\t2.500\r\n10\t3.500\t4.500");
  r = tralva_util({"risultato", "--psi", "90", "--fi", "90", "--precisione", "cm", "--passi", "1",
                   "1", dir.file("in.txt"), dir.file("out.txt")});
  EXPECT_EQ(test::read_file(dir.file("out.txt")),
            "0.0\t0.00\t0.00\r\n0.00\t1.500\t2.500\r\n0.00\t3.500\t4.500");
  r = tralva_util({"risultato", "--passi", "1", "1", "--fi", "novanta", dir.file("in.txt"),
                   dir.file("out.txt")});
  EXPECT_EQ(r.status, kUsage);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "Errore: --fi: «novanta» non è un numero intero.");
  r = tralva_util({"risultato", "--passi", "2", "1", dir.file("in.txt"), dir.file("out.txt")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, std::string("Errore: ") + text::kValueCountMismatch + "\n");
}

TEST(Orografia, ConvertsAndTakesFileNamesAfterADoubleDash) {
  test::TempDir dir;
  test::write_file(dir.file("-m.txt"), "0\t100\t110\n200\t1.5\t2.5\n");
  const Outcome r = tralva_util(
      {"orografia", "--precisione", "dm", "--", dir.file("-m.txt"), dir.file("gis.txt")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(test::read_file(dir.file("gis.txt")),
            "X\tY\tZ\r\n100.0\t200.0\t1.50\r\n110.0\t200.0\t2.50\r\n");
  EXPECT_EQ(tralva_util({"orografia", dir.file("none.txt"), dir.file("gis.txt")}).err,
            std::string("Errore: ") + text::kCannotOpenTerrainInput + "\n");
}

TEST(Unisci, MergesAndRefusesWhatIsNotAProject) {
  test::TempDir dir;
  const std::string line =
      std::string(project_header()) +
      "100 1 2 30\r\n0 0\r\n0 0 0 90 300 0 0 90 \r\n20 20 \r\n2 2 \r\n1000 \r\n";
  test::write_file(dir.file("p.tlva"), line);
  test::write_file(dir.file("f.tlva"), line);
  Outcome r = tralva_util({"unisci", dir.file("p.tlva"), dir.file("f.tlva")});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out, std::string(text::kMergeDone) + "\n");
  EXPECT_EQ(test::read_file(dir.file("p.tlva")).find("100 1 2 30 100 1 2 30\r\n"),
            project_header().size());
  test::write_file(dir.file("empty.tlva"), "");
  r = tralva_util({"unisci", dir.file("p.tlva"), dir.file("empty.tlva")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, std::string("Errore: ") + text::kChildIncomplete + "\n");
}

}  // namespace
}  // namespace tralva::cli
