#include "launcherwindow.h"

#include "common/dialogs.h"
#include "common/form.h"
#include "common/twips.h"
#include "launcher/portchoice.h"
#include "launcher/portcombo.h"
#include "link/toolwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tb {

namespace {

constexpr int buttonWidth = 855;
constexpr int buttonHeight = 375;

} // namespace

// One tool button: where it stands and how it switches tools. `closes` pairs the marker value it
// looks for with the tool window it then closes.
struct LauncherWindow::ToolButton
{
    const char *name;
    const char *caption;
    int left, top;
    const char *marker;
    QList<QPair<QString, QString>> closes;
    bool giveFocus;
    bool visible;
    bool enabled;
};

namespace {

QPair<QString, QString> same(const char *marker)
{
    return {QString::fromLatin1(marker), QString::fromLatin1(marker)};
}

} // namespace

LauncherWindow::LauncherWindow(ToolFactories factories, std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QWidget(parent), m_factories(std::move(factories)), m_dialogs(std::move(dialogs))
{
    setObjectName(QStringLiteral("frmDSCStartup"));
    setWindowTitle(QStringLiteral("Torvanik Testbox"));
    QWidget *form = makeForm(this, {twips(4680), twips(3465)});

    auto *heading = new QLabel(QStringLiteral("Select comport and& function"), form);
    heading->setObjectName(QStringLiteral("Label3"));
    heading->setGeometry(twipsRect(600, 240, 3600, 300));

    auto *portLabel = new QLabel(QStringLiteral("Select comport:"), form);
    portLabel->setObjectName(QStringLiteral("Label1"));
    portLabel->setGeometry(twipsRect(960, 960, 1800, 300));

    auto *combo = new PortCombo(form);
    combo->setBeforePopup([this] { refreshPortList(); });
    m_combo = combo;
    m_combo->setObjectName(QStringLiteral("Combo1"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setGeometry(twipsRect(2880, 960, 735, 315));
    heading->setBuddy(m_combo);
    m_combo->installEventFilter(this);
    m_combo->lineEdit()->installEventFilter(this);
    connect(m_combo, &QComboBox::currentTextChanged, this, &LauncherWindow::showDevice);

    m_device = new QLabel(form);
    m_device->setObjectName(QStringLiteral("lblDevice"));
    m_device->setGeometry(twipsRect(960, 1320, 3600, 300));
    m_device->setStyleSheet(QStringLiteral("color: gray"));

    m_last = new QLineEdit(form);
    m_last->setObjectName(QStringLiteral("txtLast"));
    m_last->setGeometry(twipsRect(3840, 960, 615, 315));
    m_last->hide();

    m_comport = new QLineEdit(form);
    m_comport->setObjectName(QStringLiteral("txtComport"));
    m_comport->setGeometry(twipsRect(4320, 1320, 300, 315));

    static const QList<ToolButton> buttons = {
        {"cmdDSC", "DSC", 480, 2040, "DSC", {same("AIS"), same("NMEA"), same("DEBUG")}, false, true, true},
        {"cmdAIS", "AIS", 1440, 2040, "AIS", {same("NMEA"), same("DSC"), same("DEBUG")}, false, true, true},
        {"cmdAISREC", "AIS data", 2400, 2040, "DEBUG", {same("AIS"), same("DSC"), same("NMEA")}, true, true, true},
        {"cmdNMEA", "NMEA", 3360, 2040, "NMEA", {same("AIS"), same("DSC"), same("DEBUG")}, true, true, true},
        {"cmdMSG5", "MSG5", 2400, 2520, "AIS5", {same("NMEA"), same("DSC"), same("DEBUG")}, false, false, true},
        // With "AIS5" in the marker this button has always closed a message 15 composer, not the
        // message 5 composer the marker names; kept so, as the button is never reachable.
        {"cmdMSG15", "MSG.15", 1440, 2520, "AIS15",
         {same("NMEA"), same("DSC"), same("DEBUG"), {QStringLiteral("AIS5"), QStringLiteral("AIS15")}}, false, false,
         false},
    };
    for (const ToolButton &tool : buttons) {
        auto *button = new QPushButton(QString::fromLatin1(tool.caption), form);
        button->setObjectName(QString::fromLatin1(tool.name));
        button->setGeometry(twipsRect(tool.left, tool.top, buttonWidth, buttonHeight));
        button->setVisible(tool.visible);
        button->setEnabled(tool.enabled && m_factories.contains(QString::fromLatin1(tool.marker)));
        connect(button, &QPushButton::clicked, this, [this, &tool] { openTool(tool); });
    }

    auto *exit = new QPushButton(QStringLiteral("Exit"), form);
    exit->setObjectName(QStringLiteral("cmdExit"));
    exit->setGeometry(twipsRect(3360, 2520, buttonWidth, buttonHeight));
    connect(exit, &QPushButton::clicked, this, &LauncherWindow::cmdExit_Click);

    m_date = new QLabel(form);
    m_date->setObjectName(QStringLiteral("Label5"));
    m_date->setGeometry(twipsRect(480, 2640, 1500, 300));

    // Form_Load
    m_date->setText(QStringLiteral("23-03-2012"));
    m_comport->hide();
    fillPortList();
    finishForm(this);
}

LauncherWindow::~LauncherWindow()
{
    // The tool windows lean on their launcher; none may outlive it.
    for (const QPointer<ToolWindow> &window : std::as_const(m_open))
        delete window.data();
}

QString LauncherWindow::portText() const
{
    return m_comport->text();
}

void LauncherWindow::showLauncher(bool giveFocus)
{
    show();
    raise();
    if (giveFocus)
        activateWindow();
}

void LauncherWindow::clearToolMarker()
{
    m_last->clear();
}

ToolWindow *LauncherWindow::toolWindow(const QString &marker) const
{
    return m_open.value(marker).data();
}

QList<int> LauncherWindow::probePorts()
{
    m_ports = PortMap::probe();
    QList<int> present;
    for (int n = PortMap::firstPort; n <= PortMap::lastPort; ++n)
        if (m_ports.exists(n))
            present += n;
    return present;
}

void LauncherWindow::fillPortList()
{
    const PortList list = buildPortList(probePorts(), readSavedPortLine());
    m_combo->clear();
    m_combo->addItems(list.items);
    m_combo->setCurrentIndex(list.selected);
    if (list.selected < 0)
        m_combo->setEditText(QString());
    showDevice();
}

void LauncherWindow::refreshPortList()
{
    // The chosen text stays as it is, even when its port has gone: the user may have typed it.
    const QString chosen = m_combo->currentText();
    const QStringList items = buildPortList(probePorts(), std::nullopt).items;
    {
        const QSignalBlocker quiet(m_combo);
        m_combo->clear();
        m_combo->addItems(items);
        m_combo->setCurrentIndex(int(items.indexOf(chosen)));
        m_combo->setEditText(chosen);
    }
    showDevice();
}

void LauncherWindow::showDevice()
{
    const auto port = TestboxLink::portNumber(m_combo->currentText());
    const QString device = port ? m_ports.device(*port) : QString();
    QString text;
    if (!device.isEmpty()) {
        // An alias in the working directory is shown by its name and the device it leads to.
        const QFileInfo info(device);
        const QString shown = info.isSymLink() && info.absolutePath() == QDir::current().absolutePath()
            ? QStringLiteral("%1 (%2)").arg(info.fileName(), info.symLinkTarget())
            : device;
        text = QStringLiteral("Port %1 is %2").arg(*port).arg(shown);
    }
    m_device->setText(text);
    m_combo->setToolTip(text);
}

void LauncherWindow::savePortChoice()
{
    m_comport->setText(m_combo->currentText());
    writePortChoice(m_combo->currentText()); // a configuration that cannot be written is no reason to stop
}

void LauncherWindow::Combo1_LostFocus()
{
    m_comport->setText(m_combo->currentText());
}

bool LauncherWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            Combo1_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void LauncherWindow::closeTool(const QString &marker)
{
    if (ToolWindow *window = m_open.value(marker))
        window->close();
    m_open.remove(marker);
}

void LauncherWindow::openTool(const ToolButton &button)
{
    for (const auto &[looksFor, closes] : button.closes)
        if (m_last->text() == looksFor)
            closeTool(closes);

    const QString marker = QString::fromLatin1(button.marker);
    m_last->setText(marker);
    savePortChoice();

    const ToolFactory factory = m_factories.value(marker);
    if (!factory)
        return;
    QPointer<ToolWindow> &window = m_open[marker];
    if (!window)
        window = factory(*this);
    window->show();
    if (button.giveFocus) {
        window->raise();
        window->activateWindow();
    }
}

void LauncherWindow::cmdExit_Click()
{
    for (const char *marker : {"DSC", "AIS", "NMEA", "DEBUG", "AIS5"})
        if (m_last->text() == QLatin1String(marker))
            closeTool(QString::fromLatin1(marker));
    close();
}

} // namespace tb
