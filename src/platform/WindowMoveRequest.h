#pragma once

#include <QPointF>

class QWindow;

// Hands a move of `window` by the pointer to an X window manager, the move
// begun by the left press at `pressGlobal` (Qt's screen coordinates), and lets
// go of the pointer for it. The manager then keeps the pointer where the press
// put it on the window, however far the pointer has gone since. Returns false
// where the program does not run on X; whether the manager takes the request
// is not known here.
bool requestMoveFromPress(QWindow *window, QPointF pressGlobal);
