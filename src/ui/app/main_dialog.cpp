#include "app/main_dialog.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <cstdlib>

#include "forms/form_layout.h"
#include "pages/interpolazione.h"
#include "pages/licenza.h"
#include "pages/orografico.h"
#include "pages/piano.h"
#include "pages/start.h"
#include "pages/utilita.h"
#include "texts/icons.h"
#include "texts/shell_texts.h"

namespace tralva {

MainDialog::MainDialog(FormContext context, std::unique_ptr<StartDialogs> dialogs, QWidget* parent)
    : FormDialog(shell_text::kMainTitle, context, parent), tab_(this) {
  using namespace shell_text;
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  // The main window has no default button: Enter on the tab strip is its OK
  // command and closes it, as Escape does.  The pages keep their keys.
  form().set_ok_command([this] { accept(); });

  FormLayout& layout = form().layout();
  setFixedSize(layout.units().size(302, 429));
  tab_.setGeometry(layout.units().rect({7, 7, 288, 390}));
  start_ = new start(context, std::move(dialogs), &tab_);
  piano_ = new piano(context, &tab_);
  orografico_ = new orografico(context, &tab_);
  interpolazione_ = new interpolazione(context, &tab_);
  utilita_ = new utilita(context, &tab_);
  licenza_ = new licenza(context, &tab_);
  tab_.add_page(kTabStart, start_);
  tab_.add_page(kTabPiano, piano_);
  tab_.add_page(kTabOrografico, orografico_);
  tab_.add_page(kTabInterpolazione, interpolazione_);
  tab_.add_page(kTabUtilita, utilita_);
  tab_.add_page(kTabLicenza, licenza_);

  // Made after the pages, so Tab goes from the strip through the page to it.
  layout.icon(icon::kExit, 96, 402);
  exit_ = layout.button(kExit, {121, 403, 84, 19});
  // Ends the process at once: nothing is closed, asked or saved.
  connect(exit_, &QPushButton::clicked, this, [] { std::exit(0); });
}

MainDialog::~MainDialog() = default;

void MainDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Shown by the program, not restored by the desktop: start on "Start".
  if (!event->spontaneous()) {
    tab_.select_page(0);
    tab_.strip().setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace tralva
