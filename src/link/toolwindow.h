// The common ground of every tool window: its own Testbox link, opened when the window is built
// and closed when it is closed; the window deletes itself on close and leaves the launcher behind.
#pragma once

#include "link/testboxlink.h"

#include <QWidget>

namespace tb {

class Dialogs;
class ToolHost;

class ToolWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ToolWindow(ToolHost &host, QWidget *parent = nullptr);

    // The port-open flag: whether this window's own opening of the link succeeded.
    bool portOpen() const { return m_portOpen; }
    TestboxLink &link() { return m_link; }

    // The "Close" button: close this window and bring the launcher back.
    void closeToLauncher();

protected:
    ToolHost &host() { return m_host; }
    // The form the window's controls stand on (see common/form.h), made `size` big.
    QWidget *makeForm(QSize size);
    QWidget *form() const { return m_form; }
    Dialogs &dialogs();

    // Opens the link (unless this window has it open already). A failure is silent apart from
    // bringing the launcher forward; sends then report the problem.
    void openTestboxLink();
    // Opens the link and tells the user when it fails; a port text without a number is no failure
    // and stays silent. Returns whether the link is open.
    bool openTestboxLinkReporting();
    // Sends a whole frame; on failure shows "Problem with com" and the port text.
    bool sendFrame(const QByteArray &frame);
    void reportProblemWithCom();
    void closeLink();

    void closeEvent(QCloseEvent *event) override;

private:
    ToolHost &m_host;
    TestboxLink m_link;
    bool m_portOpen = false;
    QWidget *m_form = nullptr;
};

} // namespace tb
