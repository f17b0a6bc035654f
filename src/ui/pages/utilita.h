#pragma once
// The "Utilità" page.  Its controls come with the grid and file utilities.

#include "pages/page.h"

namespace tralva {

class utilita final : public Page {
  Q_OBJECT

 public:
  utilita(FormContext context, QWidget* parent) : Page(context, parent) {}
};

}  // namespace tralva
