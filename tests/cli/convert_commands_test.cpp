#include "convert_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "child_process.h"
#include "common/temporary_cleanup.h"
#include "convert/convert_texts.h"
#include "ordinary_user.h"
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
  EXPECT_EQ(r.err, std::string("Errore: ") + text::kCannotCreateBase +
                       "\nCausa: file o directory inesistente.\n");
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

// "--passo 1e400" wrote a file full of "inf" and "-nan": a number too large
// for its option is a mistake on the command line.
TEST(Griglia, NumbersTooLargeForTheirOptionAreBadUsage) {
  test::TempDir dir;
  for (const Arguments& a :
       {Arguments{"--origine", "0", "0", "--passi", "1", "1", "--passo", "1e400"},
        Arguments{"--origine", "1e400", "0", "--passi", "1", "1", "--passo", "1"},
        Arguments{"--origine", "0", "0", "--passi", "1", "1", "--passo", "1e39"}}) {
    Arguments command = {"griglia"};
    command.insert(command.end(), a.begin(), a.end());
    command.push_back(dir.file("g.txt"));
    const Outcome r = tralva_util(command);
    EXPECT_EQ(r.status, kUsage);
    EXPECT_NE(r.err.find("» è fuori dall'intervallo ammesso"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Uso: tralva-util"), std::string::npos);
  }
  EXPECT_TRUE(test::names_in(dir.path()).empty());
  EXPECT_EQ(tralva_util({"angoli", "0", "0", "1e400", "0"}).status, kUsage);
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
  // Rows that keep their Y read with fi 90: written, and a warning at the end.
  r = tralva_util(
      {"risultato", "--passi", "1", "1", "--fi", "90", dir.file("in.txt"), dir.file("out.txt")});
  EXPECT_EQ(r.status, kWarning);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("Attenzione: La matrice è stata scritta", 0), 0U) << r.err;
  EXPECT_NE(r.err.find("Il file corrisponde a fi = 0°"), std::string::npos) << r.err;
  EXPECT_EQ(test::read_file(dir.file("out.txt")),
            "0.0\t0\t0\r\n0\t1.500\t2.500\r\n0\t3.500\t4.500");
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
            std::string("Errore: ") + text::kCannotOpenTerrainInput +
                "\nCausa: file o directory inesistente.\n");
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

// What a user tried, with hostile but ordinary mistakes: each ends with its
// message and status, the user's files as they were and nothing left beside
// them.

std::string gis_result(int points) {
  std::string text = "X\tY\tZ\tB\n";
  for (int i = 0; i < points; ++i) text += std::to_string(i) + "\t0\t0\t1.5\n";
  return text;
}

const char* const kMatrix = "0\t100\t110\n200\t1.5\t2.5\n";

std::string error_text(const char* text, const char* cause = nullptr) {
  std::string printed = "Errore: " + std::string(text);
  if (cause == nullptr) return printed + "\n";
  while (printed.back() == '\n') printed.pop_back();
  return printed + "\nCausa: " + cause + ".\n";
}

TEST(FilesAreSacred, ADeviceOrAFifoIsNeitherOutputNorInput) {
  test::TempDir dir;
  test::write_file(dir.file("in.txt"), gis_result(1));
  ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0666), 0);
  std::vector<std::string> nodes = {"fifo"};
  // Nodes of this folder's own with the numbers of /dev/null and /dev/zero.
  if (mknod(dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
      mknod(dir.file("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0) {
    nodes.insert(nodes.end(), {"null", "zero"});
  } else {
    std::printf("no device node made here (%s): those cases are skipped\n", std::strerror(errno));
  }
  for (const std::string& node : nodes) {
    Outcome r = tralva_util({"risultato", "--passi", "0", "0", dir.file("in.txt"), dir.file(node)});
    EXPECT_EQ(r.status, kError) << node;
    EXPECT_EQ(r.err, error_text(text::kCannotCreateConversion)) << node;
    EXPECT_EQ(r.out, "");
    // As input it would be read for ever, or wait for ever for a writer.
    r = tralva_util({"orografia", dir.file(node), dir.file("out.txt")});
    EXPECT_EQ(r.status, kError) << node;
    EXPECT_EQ(r.err, error_text(text::kCannotOpenTerrainInput)) << node;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo")));
  if (nodes.size() > 1) {
    EXPECT_TRUE(std::filesystem::is_character_file(dir.file("null")));
  }
  nodes.push_back("in.txt");
  std::sort(nodes.begin(), nodes.end());
  EXPECT_EQ(test::names_in(dir.path()), nodes);
}

TEST(FilesAreSacred, AnOutputThatIsTheInputIsRefused) {
  test::TempDir dir;
  test::write_file(dir.file("in.txt"), gis_result(1));
  test::write_file(dir.file("m.txt"), kMatrix);
  std::filesystem::create_hard_link(dir.file("m.txt"), dir.file("link.txt"));
  Outcome r =
      tralva_util({"risultato", "--passi", "0", "0", dir.file("in.txt"), dir.file("in.txt")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, error_text(text::kConversionIsInput));
  r = tralva_util({"orografia", dir.file("m.txt"), dir.file("link.txt")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, error_text(text::kTerrainOutputIsInput));
  EXPECT_EQ(test::read_file(dir.file("in.txt")), gis_result(1));
  EXPECT_EQ(test::read_file(dir.file("m.txt")), kMatrix);
  EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"in.txt", "link.txt", "m.txt"}));
}

// Root may write a read-only file; an ordinary user may not, and neither
// may the rename behind the user's back.
TEST(FilesAreSacred, AReadOnlyOutputIsRefusedWithItsCause) {
  test::TempDir dir;
  test::write_file(dir.file("in.txt"), gis_result(1));
  test::write_file(dir.file("m.txt"), kMatrix);
  for (const char* name : {"g.txt", "out.txt", "gis.txt"}) {
    test::write_file(dir.file(name), "precedente");
    chmod(dir.file(name).c_str(), 0444);
  }
  Outcome grid, result, terrain;
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    grid = tralva_util(
        {"griglia", "--origine", "0", "0", "--passi", "9", "9", "--passo", "1", dir.file("g.txt")});
    result =
        tralva_util({"risultato", "--passi", "0", "0", dir.file("in.txt"), dir.file("out.txt")});
    terrain = tralva_util({"orografia", dir.file("m.txt"), dir.file("gis.txt")});
  }
  EXPECT_EQ(grid.status, kError);
  EXPECT_EQ(grid.err, error_text(text::kCannotCreateBase, "permesso negato"));
  EXPECT_EQ(result.err, error_text(text::kCannotCreateConversion, "permesso negato"));
  EXPECT_EQ(terrain.err, error_text(text::kCannotCreateTerrainOutput, "permesso negato"));
  for (const char* name : {"g.txt", "out.txt", "gis.txt"}) {
    EXPECT_EQ(test::read_file(dir.file(name)), "precedente") << name;
  }
  EXPECT_EQ(test::names_in(dir.path()),
            (std::vector<std::string>{"g.txt", "gis.txt", "in.txt", "m.txt", "out.txt"}));
}

// A grid of 4 x 10^10 lines filled an 80 GB disk; one of 4 x 10^18 cannot
// fit anywhere: refused at once, with the cause.
TEST(FilesAreSacred, WhatCannotFitIsRefusedAtOnce) {
  test::TempDir dir;
  const Outcome r = tralva_util({"griglia", "--origine", "0", "0", "--passi", "2000000000",
                                 "2000000000", "--passo", "1", dir.file("g.txt")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, error_text(text::kCannotCreateBase, "spazio esaurito sul dispositivo"));
  EXPECT_TRUE(test::names_in(dir.path()).empty());
  // On a disk of 1 MB: the grid of the report, and conversions larger than it.
  const test::SmallTmpfs disk(dir.path(), 1 << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason();
  test::write_file(disk.file("g.txt"), "precedente");
  EXPECT_EQ(tralva_util({"griglia", "--origine", "0", "0", "--passi", "200000", "200000", "--passo",
                         "1", disk.file("g.txt")})
                .err,
            error_text(text::kCannotCreateBase, "spazio esaurito sul dispositivo"));
  test::write_file(dir.file("in.txt"), gis_result(100000));
  EXPECT_EQ(
      tralva_util({"risultato", "--passi", "99999", "0", dir.file("in.txt"), disk.file("out.txt")})
          .err,
      error_text(text::kCannotCreateConversion, "spazio esaurito sul dispositivo"));
  EXPECT_EQ(test::read_file(disk.file("g.txt")), "precedente");
  EXPECT_EQ(test::names_in(disk.path()), std::vector<std::string>{"g.txt"});
}

// A terminal that stops the command when its progress line reaches
// half-way: the middle of the writing.
class StoppingTerminal final : public std::streambuf {
 public:
  explicit StoppingTerminal(const test::PausedChild::Ready& at_half) : at_half_(at_half) {}

 protected:
  int overflow(int c) override {
    const char one = static_cast<char>(c);
    return xsputn(&one, 1) == 1 ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char* text, std::streamsize n) override {
    seen_.append(text, static_cast<std::size_t>(n));
    if (seen_.find("\r50%") != std::string::npos) at_half_();
    return n;
  }

 private:
  const test::PausedChild::Ready& at_half_;
  std::string seen_;
};

TEST(FilesAreSacred, AStopInTheMiddleLeavesNothingBehind) {
  for (const int signal : {SIGINT, SIGTERM}) {
    std::string reason;
    if (!test::delivered(signal, reason)) {
      std::printf("skipped: %s\n", reason.c_str());
      continue;
    }
    test::TempDir dir;
    test::write_file(dir.file("g.txt"), "precedente");
    test::PausedChild child([&dir](const test::PausedChild::Ready& ready) {
      tralva::install_temporary_cleanup();  // as tralva-util's main does
      StoppingTerminal terminal(ready);
      std::ostream err(&terminal);
      std::ostringstream out;
      Io io{out, err, true};
      (void)run({"griglia", "--origine", "0", "0", "--passi", "499", "499", "--passo", "1",
                 "--precisione", "mm", dir.file("g.txt")},
                io);
    });
    EXPECT_TRUE(test::ended_by(child.stop_with(signal), signal)) << strsignal(signal);
    EXPECT_EQ(test::read_file(dir.file("g.txt")), "precedente");
    EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"g.txt"});
  }
}

// No success for nothing: an empty matrix, a lone CR or a first line of
// "nan" kept the header alone in place of the user's previous output.
TEST(FilesAreSacred, NothingToConvertIsNoSuccess) {
  test::TempDir dir;
  for (const char* matrix : {"", "\r", "nan\r\n"}) {
    test::write_file(dir.file("m.txt"), matrix);
    test::write_file(dir.file("gis.txt"), "precedente");
    const Outcome r = tralva_util({"orografia", dir.file("m.txt"), dir.file("gis.txt")});
    EXPECT_EQ(r.status, kError);
    EXPECT_EQ(r.err, error_text(text::kTerrainWithoutColumns));
    EXPECT_EQ(test::read_file(dir.file("gis.txt")), "precedente");
  }
  // A cell beyond the float range would have been written "inf".
  test::write_file(dir.file("in.txt"), "h\n0\t0\t0\t1e400\n");
  const Outcome r =
      tralva_util({"risultato", "--passi", "0", "0", dir.file("in.txt"), dir.file("gis.txt")});
  EXPECT_EQ(r.status, kError);
  EXPECT_EQ(r.err, error_text(text::kGisInputNotFinite));
  EXPECT_EQ(test::read_file(dir.file("gis.txt")), "precedente");
  EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"gis.txt", "in.txt", "m.txt"}));
}

}  // namespace
}  // namespace tralva::cli
