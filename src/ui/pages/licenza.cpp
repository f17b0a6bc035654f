#include "pages/licenza.h"

#include <QTextBrowser>

#include "texts/shell_texts.h"

namespace tralva {

licenza::licenza(FormContext context, QWidget* parent) : Page(context, parent) {
  using namespace shell_text;
  form().layout().group(kLicenceGroup, {7, 7, 267, 356});
  auto* text = new QTextBrowser(this);
  text->setGeometry(form().layout().units().rect({15, 20, 251, 336}));
  text->setHtml(QString::fromUtf8(kLicenceText));
  text->setOpenLinks(false);
  name_control(text, kLicenceGroup);
}

}  // namespace tralva
