#include "nmeawindow.h"

#include "common/dialogs.h"
#include "common/form.h"
#include "common/twips.h"
#include "nmea/nmeasentence.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tb {

namespace {

QString errorText(nmea::TextError error)
{
    switch (error) {
    case nmea::TextError::TooLong:
        return QStringLiteral("NMEA string to long!");
    case nmea::TextError::NotEightBit:
        return QStringLiteral("The NMEA string holds a character that cannot be sent as one byte.");
    }
    return {};
}

} // namespace

NmeaWindow::NmeaWindow(ToolHost &host, QWidget *parent) : ToolWindow(host, parent)
{
    setObjectName(QStringLiteral("frmComposeNMEA"));
    setWindowTitle(QStringLiteral("NMEA string Composer"));
    QWidget *form = makeForm({twips(7200), twips(2520)});

    auto *heading = new QLabel(QStringLiteral("Compose NMEA string to the Torvanik Testbox"), form);
    heading->setObjectName(QStringLiteral("Label8"));
    heading->setGeometry(twipsRect(360, 240, 6480, 300));

    auto *dollar = new QLabel(QStringLiteral("$"), form);
    dollar->setObjectName(QStringLiteral("Label17"));
    dollar->setGeometry(twipsRect(240, 840, 150, 315));

    m_text = new QLineEdit(QStringLiteral("--HDT,009.0,T"), form);
    m_text->setObjectName(QStringLiteral("txtNMEAdata"));
    m_text->setMaxLength(32767);
    m_text->setGeometry(twipsRect(420, 840, 6480, 315));

    auto *hint = new QLabel(QStringLiteral("NMEA string, max 45 chr."), form);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setGeometry(twipsRect(420, 1200, 3600, 300));

    auto *generate = new QPushButton(QStringLiteral("Generate check"), form);
    generate->setObjectName(QStringLiteral("cmdGenerate"));
    generate->setGeometry(twipsRect(420, 1800, 1695, 375));
    connect(generate, &QPushButton::clicked, this, &NmeaWindow::cmdGenerate_Click);

    auto *transfer = new QPushButton(QStringLiteral("Transfer"), form);
    transfer->setObjectName(QStringLiteral("cmdSendLige"));
    transfer->setGeometry(twipsRect(2400, 1800, 1215, 375));
    connect(transfer, &QPushButton::clicked, this, &NmeaWindow::cmdSendLige_Click);

    auto *exit = new QPushButton(QStringLiteral("Close"), form);
    exit->setObjectName(QStringLiteral("cmdExit"));
    exit->setGeometry(twipsRect(5685, 1800, 1215, 375));
    connect(exit, &QPushButton::clicked, this, &ToolWindow::closeToLauncher);
    finishForm(this);

    openTestboxLink();
}

void NmeaWindow::cmdGenerate_Click()
{
    const auto result = nmea::withChecksum(m_text->text());
    if (const auto *error = std::get_if<nmea::TextError>(&result)) {
        dialogs().message(this, errorText(*error));
        return;
    }
    m_text->setText(std::get<QString>(result));
}

void NmeaWindow::cmdSendLige_Click()
{
    const QString text = m_text->text();
    const auto frame = nmea::transferFrame(text);
    if (const auto *error = std::get_if<nmea::TextError>(&frame)) {
        dialogs().message(this, errorText(*error));
        return;
    }
    if (sendFrame(std::get<QByteArray>(frame)))
        dialogs().message(this, QStringLiteral("Message transfered to the Testbox.\r$") + text);
}

} // namespace tb
