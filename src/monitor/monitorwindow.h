// The AIS Monitor `frmAISDebug`: receives the Testbox's lines (or replays a dump file), shows each
// decoded message on top of its pane and appends the history to a text file every 100 messages.
//
// Reception follows the link's data notifications: nothing runs while no data comes. A line is
// processed as soon as its CR LF has arrived. While a dialog of the message step is up (the save at
// the 100th message, a decoding problem) the lines that arrive meanwhile wait in the receive buffer
// and are processed in order once it closes; what waits is bounded, and lines dropped to keep the
// bound are counted in a label.
#pragma once

#include "link/toolwindow.h"
#include "monitor/messagestep.h"
#include "monitor/receivebuffer.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tb {

namespace monitor {
class PaneWidgets;
}

class MonitorWindow final : public ToolWindow
{
    Q_OBJECT
public:
    explicit MonitorWindow(ToolHost &host, QWidget *parent = nullptr);
    ~MonitorWindow() override;

    // The decoding state behind the panes (history table, row, pane texts).
    const monitor::MessageStep &messageStep() const { return m_step; }
    // What waits for the message step.
    const monitor::ReceiveBuffer &receiveBuffer() const { return m_buffer; }
    // Lines dropped to keep what waits bounded, since the window opened.
    qint64 droppedLines() const { return m_droppedLines; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class ReceiveMode { Loaded, Receiving, Stopped };

    void cmdReadFile_Click();
    void cmdSave_Click();
    void cmdContinius_Click();
    void cmdStop_Click();
    void cmdExit_Click();

    void receiveArrived();
    void appendReceived(const QByteArray &bytes);
    void processReceivedLines();
    void readDumpFile(const QString &name);
    void processDumpLine(const QString &line);
    // False when the line failed to decode (the user has been told).
    bool runMessageStep(const QString &line, monitor::LinePath path);
    // An empty title leaves the dialog's own.
    void saveHistory(const QString &title);

    monitor::MessageStep m_step;
    monitor::ReceiveBuffer m_buffer;
    QByteArray m_backlog; // what came before "Receive"
    qint64 m_droppedLines = 0;
    ReceiveMode m_receiveMode = ReceiveMode::Loaded;
    // Set while a line or a save is being processed: a dialog's event loop may deliver data then,
    // which must wait for the lines before it.
    bool m_busy = false;

    std::unique_ptr<monitor::PaneWidgets> m_panes;
    QPushButton *m_cmdReadFile = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdContinius = nullptr;
    QPushButton *m_cmdStop = nullptr;
    QPushButton *m_cmdExit = nullptr;
    QPushButton *m_cmdReceive = nullptr;
    QLineEdit *m_txtVindue = nullptr;
    QLineEdit *m_txtCount = nullptr;
    QLabel *m_lblDropped = nullptr;
    QTimer *m_drainTimer = nullptr;
};

} // namespace tb
