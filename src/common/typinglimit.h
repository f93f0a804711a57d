// A box's character limit that holds back typing (and pasting) only: text set from code (a slot load) stays
// whole, as the boxes have always behaved. QLineEdit::setMaxLength would cut such text short.
#pragma once

class QLineEdit;

namespace tb {

void limitTyping(QLineEdit *box, int maxChars);
// The typing limit of a box; 0 when it has none.
int typingLimit(const QLineEdit &box);

} // namespace tb
