// Sizes measured from text: what a control needs to show its text whole, in its own font and style.
// Forms give places and sizes drawn for another font; these keep the places and grow the sizes.
#pragma once

class QComboBox;
class QFontMetrics;
class QLineEdit;
class QString;
class QWidget;

namespace tb {

// The widest value a box can be typed full with; empty for a box without a typing limit.
QString widestTypedValue(const QLineEdit &box);

// The width the longest word of a caption needs: a wrapped caption is no narrower.
int longestWordWidth(const QFontMetrics &metrics, const QString &caption);

// The width a box needs to show `text` whole.
int boxWidthFor(const QLineEdit &box, const QString &text);

// The width a list with an edit needs to show `text` whole in its edit.
int listWidthFor(const QComboBox &list, const QString &text);

// Makes the list's font smaller, as far as needed, until its longest item fits `width`.
void shrinkListTo(QComboBox *list, int width);

// Grows a label, button, box or list to the right and down until its text fits; its left and top
// stay. A box is grown for its widest typed value too; a list's open list takes its longest item.
void growToText(QWidget *control);

// Makes the box's font smaller, as far as needed, until its widest typed value fits: for boxes
// that stand too close together to grow.
void shrinkToTypingLimit(QLineEdit *box);

} // namespace tb
