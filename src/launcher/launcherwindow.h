// The launcher `frmDSCStartup`: picks the port, remembers it, and opens one tool window at a time.
#pragma once

#include "common/toolhost.h"
#include "link/portmap.h"

#include <QMap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tb {

class ToolWindow;

using ToolFactory = std::function<ToolWindow *(ToolHost &)>;
// Tool windows by their active tool marker ("AIS", "DEBUG" …). A tool without a factory keeps its
// button disabled.
using ToolFactories = QMap<QString, ToolFactory>;

class LauncherWindow final : public QWidget, public ToolHost
{
    Q_OBJECT
public:
    LauncherWindow(ToolFactories factories, std::unique_ptr<Dialogs> dialogs, QWidget *parent = nullptr);
    ~LauncherWindow() override;

    // ToolHost
    QString portText() const override;
    void showLauncher(bool giveFocus) override;
    void clearToolMarker() override;
    Dialogs &dialogs() override { return *m_dialogs; }

    // The open window of a tool, by its marker; null when it is not open.
    ToolWindow *toolWindow(const QString &marker) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ToolButton;
    // The present ports, probed now.
    QList<int> probePorts();
    void fillPortList();
    // Lists the ports present now, keeping the chosen text (on opening the drop-down).
    void refreshPortList();
    void savePortChoice();
    void openTool(const ToolButton &button);
    void closeTool(const QString &marker);
    void cmdExit_Click();
    void Combo1_LostFocus();
    void showDevice();

    ToolFactories m_factories;
    std::unique_ptr<Dialogs> m_dialogs;
    PortMap m_ports;
    QMap<QString, QPointer<ToolWindow>> m_open;

    QComboBox *m_combo = nullptr;
    QLineEdit *m_last = nullptr;
    QLineEdit *m_comport = nullptr;
    QLabel *m_device = nullptr;
    QLabel *m_date = nullptr;
};

} // namespace tb
