#include "leavehandlers.h"

#include "common/dialogs.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>

namespace tb::ais {

namespace {

// Focus that goes because the window is deactivated or a pop-up opens stays with the box.
bool userLeaves(const QFocusEvent &event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

} // namespace

LeaveHandlers::LeaveHandlers(QWidget &window, Dialogs &dialogs)
    : QObject(&window), m_window(window), m_dialogs(dialogs)
{
}

void LeaveHandlers::add(QLineEdit *box, Handler handler)
{
    m_handlers.insert(box, std::move(handler));
    box->installEventFilter(this);
}

bool LeaveHandlers::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusOut || m_refusing)
        return false;
    if (!userLeaves(*static_cast<QFocusEvent *>(event)))
        return false;
    auto *box = qobject_cast<QLineEdit *>(watched);
    const auto handler = m_handlers.constFind(watched);
    if (!box || handler == m_handlers.cend())
        return false;
    if (const auto refusal = (*handler)(*box)) {
        m_refusing = true;
        // Not from inside the focus change: the message box would take the focus in the middle of it.
        QMetaObject::invokeMethod(
            this, [this, target = QPointer<QLineEdit>(box), r = *refusal] { refuse(target, r); },
            Qt::QueuedConnection);
    }
    return false;
}

void LeaveHandlers::refuse(QLineEdit *box, const Refusal &refusal)
{
    if (box && m_window.isVisible()) {
        m_dialogs.message(&m_window, refusal.message);
        if (refusal.emptyBox)
            box->clear();
        box->setFocus(Qt::OtherFocusReason);
    }
    m_refusing = false;
}

} // namespace tb::ais
