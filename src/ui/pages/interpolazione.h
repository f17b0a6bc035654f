#pragma once
// The "Interpolazione" page.  Its controls come with the grid and file utilities.

#include "pages/page.h"

namespace tralva {

class interpolazione final : public Page {
  Q_OBJECT

 public:
  interpolazione(FormContext context, QWidget* parent) : Page(context, parent) {}
};

}  // namespace tralva
