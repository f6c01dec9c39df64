#pragma once
// Keeps top-level windows within the screen they open on. A geometry saved at one scale and
// restored at another, or a default size meant for 100 %, can be taller than a laptop screen
// at 150 %, with the window's buttons below its edge.
#include <QMargins>
#include <QRect>
#include <QSize>

class QByteArray;
class QWidget;

namespace screenfit {

// Room for a title bar and borders while a window's frame is not known yet.
QMargins assumedFrame();

// geometry (the client area) shrunk and moved so that with its frame it lies within
// available, but never below minimum.
QRect bounded(const QRect &geometry, const QMargins &frame, const QRect &available,
              const QSize &minimum = QSize(0, 0));

// Where a main window opens without a stored geometry: with its frame about nine tenths of
// the available area, centred. The client area is returned.
QRect firstGeometry(const QRect &available, const QMargins &frame);

// Bounds a normal window to the available area of the screen under its centre.
void fit(QWidget *window);

// Restores a geometry from QWidget::saveGeometry() and bounds it. False, with the window
// untouched, where Qt refuses the geometry (one saved on a screen of another size or scale).
bool restoreGeometry(QWidget *window, const QByteArray &geometry);

} // namespace screenfit
