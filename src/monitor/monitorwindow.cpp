#include "monitorwindow.h"

#include "common/dialogs.h"
#include "common/form.h"
#include "common/textfiles.h"
#include "common/toolhost.h"
#include "common/twips.h"
#include "monitor/dumpfile.h"
#include "monitor/fieldtexts.h"
#include "monitor/panewidgets.h"
#include "monitor/savedtext.h"
#include "net/sentenceoutput.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

namespace tb {

namespace {

using monitor::LinePath;
using monitor::StepResult;

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QLineEdit *makeHiddenBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->hide();
    return box;
}

} // namespace

MonitorWindow::MonitorWindow(ToolHost &host, QWidget *parent)
    : ToolWindow(host, parent), m_step(monitor::userDecimalSeparator())
{
    setObjectName(QStringLiteral("frmAISDebug"));
    setWindowTitle(QStringLiteral("AIS Monitor"));
    makeForm({twips(12510), twips(11010)});

    m_cmdReadFile = makeButton(form(), "cmdReadFile", QStringLiteral("Read TB dump file"), twipsRect(120, 120, 1935, 375));
    m_cmdSave = makeButton(form(), "cmdSave", QStringLiteral("Save as text"), twipsRect(2175, 120, 1455, 375));
    m_cmdContinius = makeButton(form(), "cmdContinius", QStringLiteral("Receive"), twipsRect(3750, 120, 1455, 375));
    m_cmdStop = makeButton(form(), "cmdStop", QStringLiteral("Stop receive"), twipsRect(3750, 120, 1455, 375));
    m_cmdExit = makeButton(form(), "cmdExit", QStringLiteral("Close"), twipsRect(10935, 120, 1455, 375));
    m_cmdReceive = makeButton(form(), "cmdReceive", QStringLiteral("Receive"), twipsRect(5325, 120, 1455, 375));
    m_cmdReceive->hide();
    m_txtVindue = makeHiddenBox(form(), "txtVindue");
    m_txtCount = makeHiddenBox(form(), "txtCount");
    m_lblDropped = new QLabel(form());
    m_lblDropped->setObjectName(QStringLiteral("lblDropped"));
    m_lblDropped->setGeometry(twipsRect(5325, 120, 5490, 375));
    m_lblDropped->hide();
    m_panes = std::make_unique<monitor::PaneWidgets>(form());
    m_drainTimer = new QTimer(this);
    m_drainTimer->setInterval(20);
    connect(m_drainTimer, &QTimer::timeout, this, [this] {
        if (m_receiveMode == ReceiveMode::Receiving)
            appendReceived(link().takeReceived());
    });

    connect(m_cmdReadFile, &QPushButton::clicked, this, &MonitorWindow::cmdReadFile_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &MonitorWindow::cmdSave_Click);
    connect(m_cmdContinius, &QPushButton::clicked, this, &MonitorWindow::cmdContinius_Click);
    connect(m_cmdStop, &QPushButton::clicked, this, &MonitorWindow::cmdStop_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &MonitorWindow::cmdExit_Click);
    connect(&link(), &TestboxLink::dataArrived, this, [this] {
        if (m_receiveMode == ReceiveMode::Receiving)
            receiveArrived();
        else
            monitor::keepBacklog(m_backlog, link().takeReceived());
    });

    finishForm(this);
    openTestboxLinkReporting();
    m_cmdSave->setEnabled(false);
    m_cmdStop->hide();
}

MonitorWindow::~MonitorWindow() = default;

void MonitorWindow::cmdContinius_Click()
{
    m_cmdExit->setEnabled(false);
    m_cmdSave->setEnabled(false);
    m_cmdStop->show();
    m_cmdContinius->hide();
    m_cmdReadFile->setEnabled(false);
    m_receiveMode = ReceiveMode::Receiving;
    // What came while nobody listened is the start of this reception.
    appendReceived(m_backlog);
    m_backlog.clear();
    receiveArrived();
}

void MonitorWindow::cmdStop_Click()
{
    link().endReception();
    closeLink();
    // A half line is dropped with the buffer: nothing of it is parsed.
    m_buffer.clear();
    m_receiveMode = ReceiveMode::Stopped;
    m_cmdExit->setEnabled(true);
    m_cmdStop->hide();
    m_cmdContinius->show();
    m_cmdSave->setEnabled(true);
    m_cmdReadFile->setEnabled(true);
}

void MonitorWindow::cmdExit_Click()
{
    closeLink();
    m_buffer.clear();
    m_receiveMode = ReceiveMode::Stopped;
    closeToLauncher();
    host().clearToolMarker();
}

void MonitorWindow::closeEvent(QCloseEvent *event)
{
    // Also when the window's own close control is used while receiving: reception ends with it.
    m_receiveMode = ReceiveMode::Stopped;
    m_buffer.clear();
    ToolWindow::closeEvent(event);
}

void MonitorWindow::receiveArrived()
{
    appendReceived(link().takeReceived());
    if (!m_busy)
        processReceivedLines();
}

void MonitorWindow::appendReceived(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    const qint64 dropped = m_buffer.takeDroppedLines();
    if (dropped == 0)
        return;
    // Told in the window, not in a box: a box would hold up reception while more arrives.
    m_droppedLines += dropped;
    m_lblDropped->setText(QStringLiteral("Lines dropped (they came too fast): %1").arg(m_droppedLines));
    m_lblDropped->show();
}

void MonitorWindow::processReceivedLines()
{
    QScopedValueRollback busy(m_busy, true);
    // A dialog opened from here runs inside the port's data notification, and the port announces no
    // data then; taking it out now and then keeps it under the bound instead of in the port.
    m_drainTimer->start();
    while (m_receiveMode == ReceiveMode::Receiving) {
        // Data that came while a dialog of the previous line was up has not been announced again.
        appendReceived(link().takeReceived());
        const auto line = m_buffer.takeLine();
        if (!line)
            break;
        m_cmdReceive->setEnabled(false);
        if (runMessageStep(*line, LinePath::Live)) {
            m_cmdSave->setEnabled(true);
            m_cmdReceive->setEnabled(true);
        }
    }
    m_drainTimer->stop();
}

void MonitorWindow::cmdReadFile_Click()
{
    const QString name = dialogs().askFileName(this, {}, QStringLiteral("aisout.txt"), FileDialogMode::Open);
    if (name.isEmpty()) {
        dialogs().message(this, QStringLiteral("No filename!"));
        return;
    }
    readDumpFile(name);
}

void MonitorWindow::readDumpFile(const QString &name)
{
    QScopedValueRollback busy(m_busy, true);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().message(this, QStringLiteral("Problem reading data from file"));
        return;
    }
    monitor::DumpLineReader reader(file);
    while (const auto line = reader.next())
        processDumpLine(*line);
    if (reader.failed())
        dialogs().message(this, QStringLiteral("Problem reading data from file"));
}

void MonitorWindow::processDumpLine(const QString &line)
{
    if (!runMessageStep(line, LinePath::DumpFile))
        return;
    m_cmdSave->setEnabled(true);
    m_cmdReceive->setEnabled(true);
}

bool MonitorWindow::runMessageStep(const QString &line, LinePath path)
{
    m_txtVindue->setText(line);
    const StepResult result = m_step.run(line, path);
    switch (result.outcome) {
    case StepResult::Outcome::Skipped:
        return true;
    case StepResult::Outcome::DecodeFailed:
        m_txtCount->setText(QString::number(m_step.historyRow()));
        dialogs().message(this, QStringLiteral("Problem reading AIS data"));
        return false;
    case StepResult::Outcome::Shown:
        break;
    }
    // Before the panes and the save's dialog, so plotters get each message as it comes.
    if (net::SentenceOutput *output = net::SentenceOutput::current()) {
        if (const auto message = monitor::lineMessage(m_step.bytes(), m_step.placeCount()))
            output->send(*message);
    }
    m_txtCount->setText(QString::number(m_step.historyRow()));
    m_panes->apply(result.pane, result.updates, m_step.panes());
    if (result.saveDue) {
        saveHistory(QStringLiteral("Save the last %1 messages").arg(monitor::HistoryTable::lastRow));
        // Also when the save was cancelled or failed: those 100 rows are given up.
        m_step.setHistoryRow(0);
    }
    return true;
}

void MonitorWindow::cmdSave_Click()
{
    m_cmdSave->setEnabled(false);
    {
        QScopedValueRollback busy(m_busy, true);
        saveHistory({});
    }
    if (m_receiveMode == ReceiveMode::Receiving)
        processReceivedLines();
}

void MonitorWindow::saveHistory(const QString &title)
{
    const QString name = dialogs().askFileName(this, title, QStringLiteral("AISData.txt"), FileDialogMode::Save);
    if (name.isEmpty()) {
        dialogs().message(this, QStringLiteral("Data not saved!\r\nNo filename!"));
        return;
    }
    if (!appendFileLines(name, monitor::savedRecords(m_step.history(), m_step.historyRow()))) {
        dialogs().message(this, QStringLiteral("Problem creating file ") + name);
        return;
    }
    m_step.setHistoryRow(0);
}

} // namespace tb
