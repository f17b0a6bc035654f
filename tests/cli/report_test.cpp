#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "cli.h"

namespace tralva::cli {
namespace {

struct Printed {
  int status;
  std::string out, err;
};

Printed printed(const Message& message) {
  std::ostringstream out, err;
  Io io{out, err};
  const int status = report(message, io);
  return {status, out.str(), err.str()};
}

TEST(Report, AnErrorFromTheSystemEndsWithItsCause) {
  // The text's own last line end is not doubled before the cause.
  const Printed full = printed(error_message("Impossibile creare il file.\n", ENOSPC));
  EXPECT_EQ(full.status, kError);
  EXPECT_EQ(full.err,
            "Errore: Impossibile creare il file.\nCausa: spazio esaurito sul dispositivo.\n");
  EXPECT_EQ(printed(error_message("Non scritto.", EACCES)).err,
            "Errore: Non scritto.\nCausa: permesso negato.\n");
  EXPECT_EQ(printed(error_message("Non scritto.", 9999)).err,
            "Errore: Non scritto.\nCausa: errore di sistema 9999.\n");
}

TEST(Report, EveryOtherMessageAsItIs) {
  EXPECT_EQ(printed(error_message("Il file non va.\n")).err, "Errore: Il file non va.\n\n");
  const Printed warned = printed(warning_message("Attento."));
  EXPECT_EQ(warned.status, kWarning);
  EXPECT_EQ(warned.err, "Attenzione: Attento.\n");
  const Printed done = printed(information_message("Fatto."));
  EXPECT_EQ(done.status, kSuccess);
  EXPECT_EQ(done.out, "Fatto.\n");
  EXPECT_EQ(done.err, "");
}

}  // namespace
}  // namespace tralva::cli
