// The configuration viewer: its first values, the drawing command with its
// checks in order, the axis letters, the picture that stays, "Adatta", the
// image commands, the keys, and what it keeps between openings.

#include "dialogs/paletta.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include "app/application.h"
#include "app/start_page_dialogs.h"
#include "dialogs/configuration_canvas.h"
#include "forms/picture.h"
#include "geometry/geometry_texts.h"
#include "gui_support.h"
#include "layout_checks.h"
#include "project/project_file.h"
#include "test_support.h"

namespace tralva {
namespace {

const char kPath[] = "Apri il file di dati (percorso)";
const char* const kBounds[] = {"X min", "X max", "Y min", "Y max", "Z min", "Z max"};

// One conductor of phase S on a chord 100 m long along X, 20 m above the
// ground; arms of length 0.
const char kLine[] = "10 1 2 30\r\n120 0\r\n0 0 0 90 100 0 0 90 \r\n20 20 \r\n0 0 \r\n5 \r\n";
const char kNegativeSagRows[] =
    "10 1 2 30\r\n0 0\r\n0 0 0 90 100 0 0 90 \r\n20 20 \r\n0 0 \r\n-5 \r\n";

struct Viewer {
  Viewer() : dialog(view, seams.context()) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
  }
  QLineEdit* edit(const QString& name) const { return test::control<QLineEdit>(dialog, name); }
  QString text(const QString& name) const { return edit(name)->text(); }
  void type(const QString& name, const QString& text) const { test::type_over(edit(name), text); }
  // As pasted: typed, a leading minus sign would bring the prompt at once.
  void paste(const QString& name, const QString& text) const { edit(name)->setText(text); }
  void paste_bounds(const QStringList& values) const {
    for (int i = 0; i < 6; ++i) paste(kBounds[i], values[i]);
  }
  void choose(const char* projection) const {
    test::control<QComboBox>(dialog, "Proiezione di visualizzazione")->setCurrentText(projection);
  }
  void click(const char* button) const {
    QTest::mouseClick(test::button(dialog, button), Qt::LeftButton);
  }
  std::string project(const char* rows) const {
    const std::string path = folder.file("linea.tlva");
    test::write_file(path, std::string(project_header()) + rows);
    return path;
  }
  // The line of kLine drawn in plan, across the whole plot.
  void draw_line() const {
    type(kPath, QString::fromStdString(project(kLine)));
    paste_bounds({"0", "100", "-1", "1", "0", "40"});
    click("Visualizza");
  }
  ConfigurationCanvas& canvas() const { return dialog.canvas(); }
  bool drawn() const { return canvas().list().has_value(); }
  QString letters() const {
    return canvas().horizontal_label()->text() + canvas().vertical_label()->text();
  }
  // The colour shown at a client pixel of the display list.
  QColor pixel(int x, int y) const { return canvas().image().pixelColor(canvas().to_widget(x, y)); }
  QAction* action(const char* text) const {
    for (QAction* action : canvas().actions()) {
      if (action->text() == QString::fromUtf8(text)) return action;
    }
    return nullptr;
  }
  const std::vector<Message>& shown() const { return seams.messenger.shown; }

  test::TempDir folder;
  test::Seams seams;
  ConfigurationView view;
  paletta dialog;
};

const QColor kGreen(0, 180, 0);

class PalettaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setFont(dialog_font(QApplication::font())); }

  void first_opening_shows_the_defaults_at_the_top_left_and_draws_nothing() {
    Viewer v;
    QCOMPARE(v.dialog.windowTitle(), QString("Visualizzazione della configurazione"));
    QCOMPARE(v.text(kPath), QString());
    for (const char* bound : kBounds) QCOMPARE(v.text(bound), QString("0"));
    QCOMPARE(test::control<QComboBox>(v.dialog, "Proiezione di visualizzazione")->currentText(),
             QString("XY"));
    QCOMPARE(v.letters(), QString("XY"));
    QVERIFY(!v.drawn());
    QCOMPARE(v.dialog.pos(), v.dialog.screen()->availableGeometry().topLeft());
    QVERIFY(v.shown().empty());
  }

  void view_checks_in_order_each_with_its_message() {
    using namespace geometry_text;
    Viewer v;
    const auto press = [&v] {
      v.seams.messenger.shown.clear();
      v.click("Visualizza");
      return v.shown().size() == 1 ? v.shown()[0] : Message{};
    };
    QCOMPARE(press(), warning_message(kViewWithoutPath));
    v.type(kPath, QString::fromStdString(v.folder.file("nessuno.tlva")));
    QCOMPARE(press(), warning_message(kBoundsX));
    v.type("X max", "100");
    QCOMPARE(press(), warning_message(kBoundsY));
    v.paste("Y min", "-1");
    v.type("Y max", "1");
    // Z is checked in plan too.
    QCOMPARE(press(), warning_message(kBoundsZ));
    v.type("Z max", "40");
    QCOMPARE(press(), error_message("Impossibile aprire il file di dati.\nVerificare che si "
                                    "trovi nella posizione specificata."));
    v.type(kPath, QString::fromStdString(v.project(kNegativeSagRows)));
    QCOMPARE(press(), error_message(kNegativeSag));
    QVERIFY(!v.drawn());
    v.project(kLine);
    QCOMPARE(press(), Message{});
    QVERIFY(v.shown().empty());
    QVERIFY(v.drawn());
  }

  void bound_checks_keep_the_picture_and_a_failed_reading_erases_it() {
    Viewer v;
    v.draw_line();
    QCOMPARE(v.pixel(620, 365), kGreen);
    v.paste("Y max", "-1");
    v.click("Visualizza");
    QCOMPARE(v.shown().back(), warning_message(geometry_text::kBoundsY));
    QVERIFY(v.drawn());
    QCOMPARE(v.pixel(620, 365), kGreen);
    v.type("Y max", "1");
    v.project(kNegativeSagRows);
    v.click("Visualizza");
    QCOMPARE(v.shown().back(), error_message(geometry_text::kNegativeSag));
    QVERIFY(!v.drawn());
    QCOMPARE(v.pixel(620, 365), QColor(Qt::white));
  }

  void axis_letters_change_only_when_a_projection_is_drawn() {
    Viewer v;
    v.draw_line();
    v.choose("YZ");
    QCOMPARE(v.view.projection, std::string("YZ"));
    QCOMPARE(v.letters(), QString("XY"));
    v.click("Visualizza");
    QCOMPARE(v.letters(), QString("YZ"));
    v.choose("XZ");
    v.click("Visualizza");
    QCOMPARE(v.letters(), QString("XZ"));
    QCOMPARE(v.canvas().list()->projection, Projection::xz);
    // The grey shaft of the first pylon, from the ground to 20 m.
    QCOMPARE(v.pixel(250, 500), QColor(100, 100, 100));
    // A failed press keeps the letters of the last drawing.
    v.choose("XY");
    v.type(kPath, "");
    v.click("Visualizza");
    QCOMPARE(v.letters(), QString("XZ"));
  }

  void the_picture_comes_back_after_being_hidden_or_repainted() {
    Viewer v;
    v.draw_line();
    v.dialog.hide();
    QApplication::processEvents();
    v.dialog.show();
    v.dialog.repaint();
    QApplication::processEvents();
    QCOMPARE(v.pixel(620, 365), kGreen);
    QCOMPARE(v.pixel(620, 300), QColor(Qt::white));
    QCOMPARE(v.canvas().list()->segments.size(), std::size_t{3});
  }

  void fit_fills_the_bounds_and_draws() {
    Viewer v;
    v.click("Adatta");
    QCOMPARE(v.shown().back(), warning_message(geometry_text::kViewWithoutPath));
    v.type(kPath, QString::fromStdString(v.project(kLine)));
    v.choose("XZ");
    v.click("Adatta");
    QCOMPARE(v.shown().size(), std::size_t{1});
    // X 0..100 and Z 0..20 (ground to top) widened by 5 %; Y has no width.
    const QStringList expected{"-5", "105", "-1", "1", "-1", "21"};
    for (int i = 0; i < 6; ++i) QCOMPARE(v.text(kBounds[i]), expected[i]);
    QCOMPARE(v.view.bounds, (ViewBounds{-5, 105, -1, 1, -1, 21}));
    QCOMPARE(v.letters(), QString("XZ"));
    QVERIFY(v.drawn());
    QVERIFY(!v.canvas().list()->segments.empty());
    // A file that cannot be read leaves the bounds and the area empty.
    v.project(kNegativeSagRows);
    v.click("Adatta");
    QCOMPARE(v.shown().back(), error_message(geometry_text::kNegativeSag));
    QVERIFY(!v.drawn());
    QCOMPARE(v.text("X max"), QString("105"));
  }

  void the_plot_stays_inside_its_frame_whatever_the_font() {
    const QFont original = QApplication::font();
    for (const double points : {6.0, 8.0, 12.0}) {
      QFont font = original;
      font.setPointSizeF(points);
      QApplication::setFont(font);
      Viewer v;
      const QRect frame = v.canvas().rect();
      const QRect plot(v.canvas().to_widget(250, 40), QSize(740, 650));
      // Room for the widest pen and the frame's line on every side.
      QVERIFY2(frame.adjusted(3, 3, -3, -3).contains(plot), qPrintable(QString::number(points)));
      QVERIFY(v.dialog.rect().contains(v.canvas().geometry()));
      for (const QGroupBox* group : v.dialog.findChildren<QGroupBox*>()) {
        if (group->title() == "Inserimento parametri") {
          QVERIFY(group->geometry().right() < v.canvas().x());
        }
      }
    }
    QApplication::setFont(original);
  }

  // The plot alone is 650 pixels high, so the viewer takes the height of a
  // 1366 x 768 screen but for its title bar, as it always has: it opens at
  // the top left of the screen.
  void fits_the_screen_with_its_controls_whole_and_apart() {
    Viewer v;
    test::check_fixed_dialog(v.dialog, {test::kScreenWidth, 768 - 40});
    test::check_form_layout(v.dialog);
  }

  void enter_closes_nothing() {
    Viewer v;
    v.type(kPath, QString::fromStdString(v.project(kLine)));
    QLineEdit* bound = v.edit("Z max");
    bound->setFocus();
    QTest::keyClick(bound, Qt::Key_Return);
    QTest::keyClick(bound, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(v.dialog.isVisible());
    QVERIFY(v.shown().empty());
    QVERIFY(!v.drawn());
  }

  void image_commands_copy_and_save_the_picture() {
    Viewer v;
    QAction* copy = v.action("Copia immagine");
    QAction* save = v.action("Salva immagine…");
    QVERIFY(copy && save);
    QVERIFY(!copy->isEnabled() && !save->isEnabled());
    v.draw_line();
    QVERIFY(copy->isEnabled() && save->isEnabled());

    copy->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), v.canvas().size());
    QCOMPARE(copied.pixelColor(v.canvas().to_widget(620, 365)), kGreen);

    const std::string svg = v.folder.file("linea.svg");
    const std::string png = v.folder.file("linea.PNG");
    v.seams.files.answers = {std::nullopt, svg, png};
    save->trigger();  // cancelled
    save->trigger();
    save->trigger();
    QCOMPARE(v.seams.files.picks[0].mode, PickMode::save);
    QCOMPARE(
        v.seams.files.picks[0].request,
        (FileRequest{"Immagine PNG (*.png)|*.png|Disegno SVG (*.svg)|*.svg|", "*.png", "png", ""}));
    QVERIFY(v.shown().empty());
    QCOMPARE(test::read_file(svg), display_list_svg(*v.canvas().list()));
    const QImage saved(QString::fromStdString(png), "PNG");
    QCOMPARE(saved.size(), v.canvas().size());
    QCOMPARE(saved.pixelColor(v.canvas().to_widget(620, 365)), kGreen);
  }

  // Without a mouse: Tab reaches the drawing after "Esci", and the Menu key
  // or Shift+F10 opens its menu there, whose entries the arrows and Enter
  // choose.
  void the_drawing_menu_opens_from_the_keyboard() {
    Viewer v;
    v.draw_line();
    test::button(v.dialog, "Esci")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &v.canvas());

    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
      v.seams.files.picks.clear();
      QTest::keyClick(&v.canvas(), key, modifiers);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu != nullptr);
      QStringList entries;
      for (const QAction* action : menu->actions()) entries << action->text();
      QCOMPARE(entries, (QStringList{"Copia immagine", "Salva immagine…"}));
      QVERIFY(v.canvas().rect().contains(v.canvas().mapFromGlobal(menu->pos())));
      QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Return);
      QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
      QCOMPARE(v.seams.files.picks.size(), std::size_t{1});  // "Salva immagine…", cancelled
    }
    // The right button opens it where it is pressed.
    const QPoint pressed = v.canvas().mapToGlobal(QPoint(40, 50));
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(40, 50), pressed);
    QApplication::sendEvent(&v.canvas(), &right_click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->pos(), pressed);
    menu->close();
  }

  void the_pylon_picture_is_described_as_a_drawing() {
    Viewer v;
    // The icons beside the buttons have no name; the picture under the
    // parameters has.
    QStringList described;
    for (const Picture* picture : v.dialog.findChildren<Picture*>()) {
      if (!picture->accessibleName().isEmpty()) described << picture->accessibleDescription();
    }
    QCOMPARE(described, QStringList{"Disegno di tralicci di una linea aerea"});
  }

  void a_failed_save_says_so_and_keeps_the_old_file() {
    Viewer v;
    v.draw_line();
    const std::string png = v.folder.file("linea.png");
    test::write_file(png, "old");
    v.seams.files.answers = {png, v.folder.file("linea.jpg")};
    {
      test::FileSizeLimit limit(64);
      v.action("Salva immagine…")->trigger();
    }
    QCOMPARE(v.shown().back(), error_message(geometry_text::kCannotCreateDrawing));
    QCOMPARE(test::read_file(png), std::string("old"));
    v.action("Salva immagine…")->trigger();
    QCOMPARE(v.shown().back().kind, MessageKind::warning);
    QVERIFY(!test::exists(v.folder.file("linea.jpg")));
  }

  void the_start_page_keeps_the_values_between_openings() {
    test::Seams seams;
    StartPageDialogs dialogs(seams.context());
    test::WhenModal first([](QDialog& dialog) {
      QCOMPARE(dialog.objectName(), QString("paletta"));
      QCOMPARE(dialog.pos(), dialog.screen()->availableGeometry().topLeft());
      test::type_over(test::control<QLineEdit>(dialog, kPath), "/dati/linea.tlva");
      test::type_over(test::control<QLineEdit>(dialog, "Y max"), "12.50");
      test::control<QComboBox>(dialog, "Proiezione di visualizzazione")->setCurrentText("YZ");
    });
    dialogs.open_viewer();
    QVERIFY(first.ran());
    test::WhenModal second([](QDialog& dialog) {
      QCOMPARE(test::control<QLineEdit>(dialog, kPath)->text(), QString("/dati/linea.tlva"));
      QCOMPARE(test::control<QLineEdit>(dialog, "Y max")->text(), QString("12.5"));
      QCOMPARE(test::control<QComboBox>(dialog, "Proiezione di visualizzazione")->currentText(),
               QString("YZ"));
      // Nothing is drawn on opening.
      QVERIFY(!dialog.findChild<ConfigurationCanvas*>()->list());
    });
    dialogs.open_viewer();
    QVERIFY(second.ran());
    QCOMPARE(dialogs.configuration_view().bounds.y_max, 12.5);
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::PalettaTest)
#include "paletta_test.moc"
