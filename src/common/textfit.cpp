#include "textfit.h"

#include "common/typinglimit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

namespace tb {

namespace {

// What QLineEdit keeps free beside its text, on top of the style's frame and the text margins.
constexpr int lineEditMargin = 2;
// The smallest font a box is shrunk to: below it the digits are no longer readable.
constexpr qreal smallestPointSize = 6;

template <typename Fits>
void shrinkFontUntil(QWidget *control, Fits fits)
{
    QFont font = control->font();
    while (font.pointSizeF() > smallestPointSize && !fits()) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
    }
}

int lineEditChrome(const QLineEdit &box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins text = box.textMargins();
    return box.width() - contents.width() + text.left() + text.right() + 2 * lineEditMargin;
}

void growTo(QWidget *control, QSize needed)
{
    control->resize(std::max(control->width(), needed.width()), std::max(control->height(), needed.height()));
}

void growLabel(QLabel *label)
{
    if (label->text().isEmpty())
        return;
    if (!label->wordWrap()) {
        growTo(label, label->sizeHint());
        return;
    }
    // A wrapped caption keeps its width unless one word is wider, and grows down for its lines.
    const QMargins margins = label->contentsMargins();
    const int width = std::max(label->width(),
                               longestWordWidth(label->fontMetrics(), label->text()) + margins.left() + margins.right());
    growTo(label, {width, label->heightForWidth(width)});
}

void growButton(QPushButton *button)
{
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)
        + (button->autoDefault() ? button->style()->pixelMetric(QStyle::PM_ButtonDefaultIndicator, nullptr, button) : 0);
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    growTo(button, text + QSize(2 * frame + margin, 2 * frame));
}

void growBox(QLineEdit *box)
{
    if (qobject_cast<QComboBox *>(box->parentWidget()))
        return; // a list's own edit: the list grows instead
    int width = boxWidthFor(*box, box->text());
    const QString widest = widestTypedValue(*box);
    if (!widest.isEmpty())
        width = std::max(width, boxWidthFor(*box, widest));
    growTo(box, {width, 0});
}

void growList(QComboBox *list)
{
    growTo(list, {listWidthFor(*list, list->currentText()), 0});
    // The open list is as wide as its longest item, however narrow the closed one is.
    QAbstractItemView *view = list->view();
    int itemWidth = 0;
    for (int i = 0; i < list->count(); ++i)
        itemWidth = std::max(itemWidth, view->sizeHintForIndex(list->model()->index(i, 0)).width());
    view->setMinimumWidth(itemWidth + 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

} // namespace

QString widestTypedValue(const QLineEdit &box)
{
    const int limit = typingLimit(box);
    if (limit <= 0)
        return {};
    QChar widest = u'0';
    const QFontMetrics metrics = box.fontMetrics();
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    return QString(limit, widest);
}

int longestWordWidth(const QFontMetrics &metrics, const QString &caption)
{
    int longest = 0;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longest = std::max(longest, metrics.boundingRect(word).width());
    return longest;
}

int boxWidthFor(const QLineEdit &box, const QString &text)
{
    return box.fontMetrics().horizontalAdvance(text) + lineEditChrome(box);
}

int listWidthFor(const QComboBox &list, const QString &text)
{
    const QLineEdit *edit = list.lineEdit();
    if (!edit)
        return list.width();
    // What the list puts around its edit (frame, arrow) stays as the edit grows.
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = true;
    option.frame = list.hasFrame();
    option.rect = list.rect();
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list);
    return boxWidthFor(*edit, text) + list.width() - field.width();
}

void shrinkListTo(QComboBox *list, int width)
{
    int longest = 0;
    for (int i = 1; i < list->count(); ++i)
        if (list->fontMetrics().horizontalAdvance(list->itemText(i))
            > list->fontMetrics().horizontalAdvance(list->itemText(longest)))
            longest = i;
    shrinkFontUntil(list, [list, longest, width] { return listWidthFor(*list, list->itemText(longest)) <= width; });
}

void growToText(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        growLabel(label);
    else if (auto *button = qobject_cast<QPushButton *>(control))
        growButton(button);
    else if (qobject_cast<QRadioButton *>(control) || qobject_cast<QCheckBox *>(control))
        growTo(control, control->sizeHint());
    else if (auto *list = qobject_cast<QComboBox *>(control))
        growList(list);
    else if (auto *box = qobject_cast<QLineEdit *>(control))
        growBox(box);
}

void shrinkToTypingLimit(QLineEdit *box)
{
    shrinkFontUntil(box, [box] { return boxWidthFor(*box, widestTypedValue(*box)) <= box->width(); });
}

} // namespace tb
