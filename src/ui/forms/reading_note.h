#pragma once
// Shows on a number edit what was read from it when its text is more than
// the number ("12,5" read as 12): a small mark inside the edit, and the
// note as its tooltip and accessible description, without a box.  The
// field's value and the prompts are not touched.

#include <QString>
#include <optional>
#include <string>

class QLineEdit;

namespace tralva {

// Shows `note`, or clears what was shown when there is none.
void show_reading_note(QLineEdit& edit, const std::optional<std::string>& note);
// The note shown on the edit, empty when none.
QString reading_note(const QLineEdit& edit);

}  // namespace tralva
