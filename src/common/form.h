// The form a window's controls stand on. The controls keep their given places on a form of fixed
// size; the form sits in a scroll area that fills the window, so a screen smaller than the form
// (or a large scale factor) shows scroll bars instead of putting controls out of reach.
#pragma once

#include <QSize>

class QFont;
class QWidget;

namespace tb {

// The font every form is drawn in.
QFont formFont();

// Makes the form of `window`, `size` big; the window's controls are to be made on it.
QWidget *makeForm(QWidget *window, QSize size);

// Once the controls stand: Enter and Return press a focused button as Space does, and the window
// takes the form's size, or as much of its screen as is free where that is smaller.
void finishForm(QWidget *window);

// The size of a window showing `form` in `room`: the form itself where it fits, else as much of
// the room as the form fills, scroll bars of `scrollBarExtent` included.
QSize windowSizeFor(QSize form, QSize room, int scrollBarExtent);

} // namespace tb
