#include "toolwindow.h"

#include "common/dialogs.h"
#include "common/form.h"
#include "common/toolhost.h"

#include <QCloseEvent>

namespace tb {

ToolWindow::ToolWindow(ToolHost &host, QWidget *parent) : QWidget(parent, Qt::Window), m_host(host)
{
    setAttribute(Qt::WA_DeleteOnClose);
    connect(&m_link, &TestboxLink::lost, this, [this] {
        m_portOpen = false;
        reportProblemWithCom();
    });
}

QWidget *ToolWindow::makeForm(QSize size)
{
    m_form = tb::makeForm(this, size);
    return m_form;
}

Dialogs &ToolWindow::dialogs()
{
    return m_host.dialogs();
}

void ToolWindow::openTestboxLink()
{
    if (m_portOpen)
        return;
    const auto port = TestboxLink::portNumber(m_host.portText());
    m_portOpen = port && m_link.open(*port);
    if (!m_portOpen)
        m_host.showLauncher(true);
}

bool ToolWindow::openTestboxLinkReporting()
{
    if (m_portOpen)
        return true;
    const auto port = TestboxLink::portNumber(m_host.portText());
    if (port && *port <= 0)
        return false;
    m_portOpen = port && m_link.open(*port);
    if (!m_portOpen)
        reportProblemWithCom();
    return m_portOpen;
}

bool ToolWindow::sendFrame(const QByteArray &frame)
{
    if (m_link.send(frame))
        return true;
    reportProblemWithCom();
    return false;
}

void ToolWindow::reportProblemWithCom()
{
    dialogs().message(this, QStringLiteral("Problem with com") + m_host.portText());
}

void ToolWindow::closeLink()
{
    m_link.close();
    m_portOpen = false;
}

void ToolWindow::closeToLauncher()
{
    close();
    m_host.showLauncher(false);
}

void ToolWindow::closeEvent(QCloseEvent *event)
{
    closeLink();
    QWidget::closeEvent(event);
}

} // namespace tb
