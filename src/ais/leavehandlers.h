// The focus-loss handlers of a window's boxes. They run when the user leaves a box for another
// control, never when code sets a text, nor when the window loses the activation (a message box
// opening, another application) or a pop-up opens.
//
// A handler that refuses the text has its message shown after the focus event is over, then the
// focus goes back into the box. While that runs no other handler of the window fires: the focus
// that the message box and the return take away is not the user leaving a box, so a refusal
// cannot set off itself or a neighbour. The next attempt to leave checks again.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QWidget;

namespace tb {

class Dialogs;

namespace ais {

struct Refusal
{
    QString message;
    bool emptyBox = false; // the box is emptied before the focus returns
};

class LeaveHandlers final : public QObject
{
    Q_OBJECT
public:
    // May change the box's text; a refusal keeps the user in the box.
    using Handler = std::function<std::optional<Refusal>(QLineEdit &box)>;

    LeaveHandlers(QWidget &window, Dialogs &dialogs);

    void add(QLineEdit *box, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refuse(QLineEdit *box, const Refusal &refusal);

    QWidget &m_window;
    Dialogs &m_dialogs;
    QHash<QObject *, Handler> m_handlers;
    bool m_refusing = false; // a refusal waits to be shown or is being shown
};

} // namespace ais
} // namespace tb
