#include "texts/tooltip_texts.h"

namespace tralva::tooltip_text {

const char* tooltip_for(std::string_view form, std::string_view text) {
  const char* general = nullptr;
  for (const Tooltip& entry : kTooltips) {
    if (entry.text != text) continue;
    if (entry.form == form) return entry.tooltip;
    if (entry.form.empty()) general = entry.tooltip;
  }
  return general;
}

}  // namespace tralva::tooltip_text
