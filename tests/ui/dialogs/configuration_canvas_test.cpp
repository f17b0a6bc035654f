// The drawing area: the pixels a display list covers, with the pens'
// colours and widths, as the classic drawing context covers them.

#include "dialogs/configuration_canvas.h"

#include <QTest>

namespace tralva {
namespace {

const QColor kWhite(Qt::white);

// A canvas as large as the classic frame, so list pixels are widget pixels
// shifted by the frame's corner.
struct Canvas {
  Canvas() { canvas.resize(kFrameRect.width(), kFrameRect.height()); }
  QColor at(int x, int y) { return canvas.image().pixelColor(canvas.to_widget(x, y)); }
  ConfigurationCanvas canvas;
};

class ConfigurationCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void the_plot_is_centred_in_the_classic_frame() {
    Canvas c;
    QCOMPARE(c.canvas.to_widget(kPlotRect.left, kPlotRect.top),
             QPoint(kPlotRect.left - kFrameRect.left, kPlotRect.top - kFrameRect.top));
  }

  void a_line_covers_its_pixels_up_to_its_second_end() {
    Canvas c;
    c.canvas.show_list({Projection::xy, {{120, 300, 300, 310, 300}}});
    const QColor green(0, 180, 0);
    // Two pixels thick: the row of the line and the one above.
    for (int x = 300; x < 310; ++x) {
      QCOMPARE(c.at(x, 300), green);
      QCOMPARE(c.at(x, 299), green);
      QCOMPARE(c.at(x, 301), kWhite);
      QCOMPARE(c.at(x, 298), kWhite);
    }
    QCOMPARE(c.at(310, 300), kWhite);
  }

  void a_line_of_no_length_covers_nothing() {
    Canvas c;
    c.canvas.show_list({Projection::xy, {{0, 400, 400, 400, 400}}});
    QCOMPARE(c.at(400, 400), kWhite);
    QCOMPARE(c.at(399, 399), kWhite);
  }

  void structure_lines_are_four_pixels_wide_and_grey() {
    Canvas c;
    c.canvas.show_list(
        {Projection::xz, {{kStructureCode, 500, 300, 500, 340}, {240, 600, 300, 640, 340}}});
    const QColor grey(100, 100, 100);
    for (const int x : {498, 499, 500, 501}) QCOMPARE(c.at(x, 320), grey);
    QCOMPARE(c.at(497, 320), kWhite);
    QCOMPARE(c.at(502, 320), kWhite);
    QCOMPARE(c.at(620, 320), QColor(0, 0, 255));  // any other code is blue
  }

  void erasing_leaves_the_frame_empty() {
    Canvas c;
    c.canvas.show_list({Projection::xy, {{0, 300, 300, 400, 300}}});
    QCOMPARE(c.at(350, 300), QColor(255, 0, 0));
    c.canvas.erase();
    QVERIFY(!c.canvas.list());
    QCOMPARE(c.at(350, 300), kWhite);
    // The frame's black line along its edge stays.
    QCOMPARE(c.canvas.image().pixelColor(0, 100), QColor(Qt::black));
  }
};

}  // namespace
}  // namespace tralva

QTEST_MAIN(tralva::ConfigurationCanvasTest)
#include "configuration_canvas_test.moc"
