#pragma once
// Where the program's fixed-size windows go on the screen: always with the
// whole frame on the available area, so the title bar can be reached to
// drag or close the window.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tralva {

// The frame's top-left corner that centres a frame of `frame` size on
// `area`; a frame larger than the area keeps its top-left corner on it.
QPoint centred_frame_position(const QRect& area, const QSize& frame);

// Centres the window's frame on the available area of its screen.  Before
// the window manager has framed it, the frame is estimated from the
// style's title bar.
void place_centred(QWidget& window);
// Puts the window's frame at the top-left corner of the available area.
void place_top_left(QWidget& window);

}  // namespace tralva
