#pragma once

#include <QPoint>
#include <initializer_list>

class QWidget;

// Whether a press at `windowPos` (in `window`'s coordinates) lies on one of the
// bare frames by which a frameless window is dragged. The frames sit inside the
// window's shadow margin, so the position is mapped from the window itself,
// not from each frame's parent.
bool pressStartsWindowDrag(const QWidget *window, const QPoint &windowPos,
                           std::initializer_list<const QWidget *> handles);
