#include "typinglimit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tb {

namespace {

// Watches the keys that insert text. A validator cannot tell typing from text set by code, and
// QLineEdit::setMaxLength cuts both, so the limit sits in front of the keyboard instead.
class TypingLimit final : public QObject
{
public:
    TypingLimit(QLineEdit *box, int maxChars) : QObject(box), m_box(box), m_max(maxChars) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const bool paste = key->matches(QKeySequence::Paste);
        const QString inserted = paste ? QGuiApplication::clipboard()->text() : key->text();
        if (inserted.isEmpty() || !inserted.front().isPrint())
            return false;
        const qsizetype kept = m_box->text().size() - m_box->selectedText().size();
        if (kept + inserted.size() <= m_max)
            return false;
        // Over the limit: a paste brings what still fits, a typed character nothing.
        const qsizetype room = m_max - kept;
        if (paste && room > 0)
            m_box->insert(inserted.left(room));
        return true;
    }

private:
    QLineEdit *m_box;
    int m_max;
};

} // namespace

void limitTyping(QLineEdit *box, int maxChars)
{
    box->installEventFilter(new TypingLimit(box, maxChars));
    box->setProperty("typingLimit", maxChars);
}

int typingLimit(const QLineEdit &box)
{
    return box.property("typingLimit").toInt();
}

} // namespace tb
