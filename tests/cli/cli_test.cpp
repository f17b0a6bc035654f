// tralva-util as a Unix tool: version, help, bad usage, "-" and its texts.

#include "cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "project_text.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

const char* const kCommandNames[] = {"angoli",    "geometria", "disegna", "griglia", "interpola",
                                     "risultato", "orografia", "unisci",  "campo"};

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

// Every byte sequence is well-formed UTF-8 (no Windows-1252 byte leaks out).
bool is_utf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80         ? 1
                               : (c >> 5) == 6  ? 2
                               : (c >> 4) == 14 ? 3
                               : (c >> 3) == 30 ? 4
                                                : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

// The option names a synopsis mentions: "--x" and "-o".
std::vector<std::string> options_of(const std::string& synopsis) {
  std::vector<std::string> names;
  std::istringstream words(synopsis);
  for (std::string word; words >> word;) {
    word.erase(0, word.find_first_not_of("[("));
    if (word.size() > 1 && word[0] == '-')
      names.push_back(word.substr(0, word.find_first_of("])")));
  }
  return names;
}

// The options a help explains, one a line after "Opzioni:", but for the
// help itself.
std::vector<std::string> options_explained(const std::string& help) {
  std::vector<std::string> names;
  std::istringstream lines(help.substr(help.find("\nOpzioni:\n")));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("  -") && !line.starts_with("  -h, --help"))
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return names;
}

TEST(Version, IsTheProjectVersionOnStandardOutput) {
  const Outcome r = tralva_util({"--version"});
  EXPECT_EQ(r.status, kSuccess);
  EXPECT_EQ(r.out, std::string("tralva-util ") + TRALVA_TEST_VERSION + "\n");
  EXPECT_EQ(r.err, "");
}

TEST(Help, TheGeneralUsageListsEveryCommand) {
  for (const char* asked : {"--help", "-h"}) {
    const Outcome r = tralva_util({asked});
    EXPECT_EQ(r.status, kSuccess);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(first_line(r.out), "Uso: tralva-util COMANDO [ARGOMENTI]");
    for (const char* name : kCommandNames) {
      EXPECT_NE(r.out.find(std::string("\n  tralva-util ") + name + " "), std::string::npos)
          << name;
    }
    EXPECT_TRUE(is_utf8(r.out));
  }
  // Without a command, the same text goes to standard error as bad usage.
  const Outcome none = tralva_util({});
  EXPECT_EQ(none.status, kUsage);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, tralva_util({"--help"}).out);
}

TEST(Help, EveryCommandExplainsItsUsageAndEveryOption) {
  const std::string general = tralva_util({"--help"}).out;
  for (const char* name : kCommandNames) {
    const Outcome r = tralva_util({name, "--help"});
    EXPECT_EQ(r.status, kSuccess) << name;
    EXPECT_EQ(r.err, "") << name;
    const std::string usage = first_line(r.out);
    const std::string synopsis = usage.substr(usage.find(name) + std::strlen(name) + 1);
    EXPECT_EQ(usage, std::string("Uso: tralva-util ") + name + " " + synopsis);
    EXPECT_NE(general.find(std::string("tralva-util ") + name + " " + synopsis + "\n"),
              std::string::npos)
        << name;
    const std::vector<std::string> in_synopsis = options_of(synopsis);
    for (const std::string& option : in_synopsis) {
      EXPECT_NE(r.out.find("\n  " + option + " "), std::string::npos) << name << " " << option;
    }
    // The options explained are those of the usage line, written apart.
    for (const std::string& option : options_explained(r.out)) {
      EXPECT_NE(std::find(in_synopsis.begin(), in_synopsis.end(), option), in_synopsis.end())
          << name << " " << option;
    }
    EXPECT_NE(r.out.find("\n  -h, --help "), std::string::npos) << name;
    EXPECT_NE(r.out.find("\nStato di uscita: 0 riuscito"), std::string::npos) << name;
    EXPECT_TRUE(is_utf8(r.out)) << name;
    // The same help however it is asked for.
    EXPECT_EQ(tralva_util({name, "-h"}).out, r.out) << name;
    EXPECT_EQ(tralva_util({"--help", name}).out, r.out) << name;
    EXPECT_EQ(tralva_util({name, "a", "--passo", "--help"}).out, r.out) << name;
  }
}

TEST(Help, AfterTheDoubleDashIsAFileName) {
  test::TempDir dir;
  const Outcome r = tralva_util({"orografia", "--", "--help", dir.file("out.txt")});
  EXPECT_EQ(r.status, kError);  // a file called "--help" that does not exist
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(first_line(r.err), "Errore: Impossibile aprire il file di dati.");
}

TEST(BadUsage, SaysWhatIsWrongThenTheUsageOfThatCommand) {
  const struct {
    Arguments arguments;
    std::string what;
  } cases[] = {
      {{"griglia", "--passi", "1", "1", "--passo", "1", "f"}, "manca l'opzione «--origine»."},
      {{"griglia", "--origine", "0", "0", "--passi", "1", "1", "--passo", "1", "--colore", "f"},
       "opzione sconosciuta: «--colore»."},
      {{"orografia", "--precisione", "m", "--precisione", "m", "a", "b"},
       "opzione ripetuta: «--precisione»."},
      {{"risultato", "a", "b", "--passi", "1"}, "mancano valori dopo «--passi»."},
      {{"unisci", "padre"}, "file indicati: 1, il comando ne vuole 2."},
      {{"geometria"}, "file indicati: 0, il comando ne vuole 1."},
      {{"orografia", "--precisione", "MM", "a", "b"},
       "--precisione: «MM» non è una precisione valida (m, dm, cm o mm)."},
      {{"disegna", "p.tlva", "--proiezione", "ZX", "-o", "p.svg"},
       "--proiezione: «ZX» non è valida (XY, YZ o XZ)."},
      {{"disegna", "p.tlva", "-o", "p.png"},
       "-o: l'estensione di «p.png» non è valida (.json o .svg)."},
      {{"campo", "p.tlva", "r.txt"}, "serve --piano oppure --punti."},
  };
  for (const auto& c : cases) {
    const Outcome r = tralva_util(c.arguments);
    const std::string& name = c.arguments[0];
    EXPECT_EQ(r.status, kUsage) << c.what;
    EXPECT_EQ(r.out, "") << c.what;
    const std::string usage = first_line(tralva_util({name, "--help"}).out);
    EXPECT_EQ(r.err,
              "Errore: " + c.what + "\n" + usage + "\nAiuto: tralva-util " + name + " --help\n");
  }
}

TEST(BadUsage, AnUnknownCommandBringsTheGeneralUsage) {
  for (const char* unknown : {"grigila", "--verbose", "-"}) {
    const Outcome r = tralva_util({unknown, "x"});
    EXPECT_EQ(r.status, kUsage);
    EXPECT_EQ(r.err, std::string("Errore: comando sconosciuto: «") + unknown + "».\n\n" +
                         tralva_util({"--help"}).out);
  }
  EXPECT_EQ(tralva_util({"--help", "grigila"}).status, kUsage);
  EXPECT_EQ(tralva_util({"--version", "x"}).status, kUsage);
}

// No command reads standard input or writes standard output, so "-" named
// as a file is refused rather than becoming a file called "-".
TEST(StandardStreams, ADashForAFileIsRefused) {
  test::TempDir dir;
  const std::string p = dir.file("p.tlva");
  const std::string f = dir.file("f.txt");
  const std::string refusal =
      "«-» non è un nome di file ammesso: tralva-util non legge dallo standard input e non "
      "scrive sullo standard output (per un file di nome «-» scrivere «./-»).";
  const Arguments cases[] = {
      {"griglia", "--origine", "0", "0", "--passi", "0", "0", "--passo", "1", "-"},
      {"risultato", "--passi", "1", "1", "-", f},
      {"risultato", "--passi", "1", "1", f, "-"},
      {"orografia", "-", f},
      {"orografia", "--", f, "-"},
      {"unisci", "-", p},
      {"unisci", p, "-"},
      {"geometria", "-"},
      {"disegna", "-", "--adatta", "-o", dir.file("d.svg")},
      {"campo", "-", "--punti", f, f},
      {"campo", p, "--punti", f, "-"},
  };
  for (const Arguments& a : cases) {
    const Outcome r = tralva_util(a);
    EXPECT_EQ(r.status, kUsage) << a[0];
    EXPECT_EQ(first_line(r.err), "Errore: " + refusal) << a[0];
  }
  // Options whose values are files say which.
  EXPECT_EQ(first_line(tralva_util({"disegna", p, "--adatta", "-o", "-"}).err),
            "Errore: -o: " + refusal);
  EXPECT_EQ(first_line(tralva_util({"campo", p, "--punti", "-", f}).err),
            "Errore: --punti: " + refusal);
  EXPECT_FALSE(test::exists("-"));
  // A file that is really called "-" is reached by its path.
  test::write_file(dir.file("-"), "0\t100\n200\t1.5\n");
  EXPECT_EQ(tralva_util({"orografia", dir.file("-"), f}).status, kSuccess);
  EXPECT_EQ(test::read_file(f), "X\tY\tZ\r\n100\t200\t1.50\r\n");
}

// The degree sign is a Windows-1252 byte in the project files and UTF-8 on
// the terminal.
TEST(Texts, MessagesWithAccentsAndDegreesAreUtf8) {
  test::TempDir dir;
  const std::string project = dir.file("p.tlva");
  test::write_file(project, test::project_text({"10 1 2 30", "0 0", "0 0 0 200 300 0 0 90", "20 20",
                                                "2 2", "1000"}));
  const Outcome r = tralva_util({"geometria", project});
  EXPECT_EQ(r.status, kError);
  EXPECT_NE(r.err.find("tra 0° (incluso) e 180° (escluso)"), std::string::npos) << r.err;
  EXPECT_TRUE(is_utf8(r.err));
  for (const Arguments& a : {Arguments{"griglia", "--passo", "1,5"}, Arguments{"unisci", "-", "-"},
                             Arguments{"angoli", "0"}, Arguments{"risultato", "--help"}}) {
    const Outcome o = tralva_util(a);
    EXPECT_TRUE(is_utf8(o.out + o.err)) << a[0];
    EXPECT_NE((o.out + o.err).find("Uso: "), std::string::npos) << a[0];
  }
}

}  // namespace
}  // namespace tralva::cli
