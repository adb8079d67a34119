#pragma once

class QKeyEvent;
class QWidget;

// Key procedures of the secondary windows. A key is given as its character
// code: 13 Enter, 27 Esc, 8 Backspace, otherwise the typed character.

// The character code of a key press, 0 when it types nothing.
int keyCharOf(const QKeyEvent *event);

// On Enter (13), moves the focus to the next control in tab order, as Tab
// would; the Enter itself is left to the control. Any other code: nothing.
void EnterActsAsTab(int keyChar);

// On Esc (27), closes `window`. Any other code: nothing.
void EscClosesWindow(int keyChar, QWidget *window);
