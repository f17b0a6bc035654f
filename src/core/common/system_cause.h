#pragma once
// The causes of system errors in Italian, for the command-line tool's last
// line: "Causa: spazio esaurito sul dispositivo."

#include <string>

namespace tralva {

// The cause of the system error number `error` (errno), without a final
// point; a number the list does not know is named by its value.
std::string system_cause_text(int error);

}  // namespace tralva
