#pragma once
// The "Licenza" page: the licence agreement, to read only.

#include "pages/page.h"

namespace tralva {

class licenza final : public Page {
  Q_OBJECT

 public:
  licenza(FormContext context, QWidget* parent);
};

}  // namespace tralva
