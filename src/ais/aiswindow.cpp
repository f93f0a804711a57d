#include "aiswindow.h"

#include "ais/composerboxes.h"
#include "ais/fieldchecks.h"
#include "ais/leavehandlers.h"
#include "ais/position.h"
#include "ais/slotrecord.h"
#include "ais/transferframe.h"
#include "common/form.h"
#include "common/numbers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tb::ais {

namespace {

constexpr std::array<BoxLabel, 12> fieldLabels {{
    {"txtMSGID", "lblMSGID", "Msg."},
    {"txtRepeat", "lblRepeat", "Repeat indicator"},
    {"txtMMSI", "lblMMSI", "MMSI nr."},
    {"txtNavi", "lblNavi", "Nav.status"},
    {"txtRoT", "lblRoT", "ROT"},
    {"txtsog", "lblsog", "SOG"},
    {"txtPosAcu", "lblPosAcu", "Pos.acc."},
    {"txtCog", "lblCog", "COG"},
    {"txtTrueHeading", "lblTrueHeading", "True Heading"},
    {"txtTimeStamp", "lblTimeStamp", "Time stamp"},
    {"txtRAIM", "lblRAIM", "RAIM"},
    {"txtSyncState", "lblSyncState", "Comm.state"},
}};

QString faultText(FieldFault fault)
{
    switch (fault) {
    case FieldFault::PositionReportId:
        return QStringLiteral("Only Message ID 1, 2 or 3 supported! ");
    case FieldFault::Cog:
        return QStringLiteral("COG value out of range! ");
    case FieldFault::Sog:
        return QStringLiteral("SOG value out of range! ");
    case FieldFault::LatitudeDegrees:
        return QStringLiteral("Latitude value out of range! ");
    case FieldFault::LongitudeDegrees:
        return QStringLiteral("Longitude value out of range! ");
    }
    return {};
}

QPushButton *addButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

std::pair<QRadioButton *, QRadioButton *> addOptionFrame(QWidget *parent, const char *frame,
                                                         const char *first, const char *second,
                                                         const QRect &geometry)
{
    auto *group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(frame));
    group->setGeometry(geometry);
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(6, 0, 6, 0);
    auto *a = new QRadioButton(QString::fromLatin1(first).mid(3), group);
    a->setObjectName(QString::fromLatin1(first));
    auto *b = new QRadioButton(QString::fromLatin1(second).mid(3), group);
    b->setObjectName(QString::fromLatin1(second));
    layout->addWidget(a);
    layout->addWidget(b);
    return {a, b};
}

} // namespace

AisWindow::AisWindow(ToolHost &host, QWidget *parent) : AisComposer(host, positionReport, parent)
{
    setObjectName(QStringLiteral("frmComposeAis"));
    setWindowTitle(QStringLiteral("AIS Message Composer"));
    makeForm({1040, 300});

    createFieldRow();
    createPositionRows();
    createButtons();
    installLeaveHandlers();

    // initForm
    m_north->setChecked(true);
    m_east->setChecked(true);
    tb::finishForm(this);
    openTestboxLink();
}

void AisWindow::createFieldRow()
{
    constexpr int gap = 4;
    int x = 8;
    for (const BoxSpec &field : positionReportBoxes) {
        const int width = columnWidth(field.name, fieldLabels, std::max(62, 16 + 8 * field.maxLength));
        QLineEdit *edit = addBox(field, QRect(x, 44, width, 22));
        // The message's position numbers are made from the position rows; the user never sees them.
        if (qstrcmp(field.name, "txtLongitude") == 0 || qstrcmp(field.name, "txtLatitude") == 0) {
            edit->setGeometry(420, 170, width, 22);
            edit->hide();
            continue;
        }
        addLabelAbove(edit, fieldLabels, gap);
        x += width + gap;
    }
}

void AisWindow::createPositionRows()
{
    const auto row = [this](const std::array<BoxSpec, 3> &boxes, const QString &caption, int top) {
        addLabel(QStringLiteral("lbl") + caption, caption, QRect(8, top + 3, 70, 18));
        addBox(boxes[0], QRect(80, top, 40, 22));
        addLabel(QStringLiteral("lblDeg") + caption, QStringLiteral("\""), QRect(122, top + 3, 8, 18));
        addBox(boxes[1], QRect(132, top, 32, 22));
        addLabel(QStringLiteral("lblDot") + caption, QStringLiteral("."), QRect(166, top + 3, 6, 18));
        addBox(boxes[2], QRect(174, top, 48, 22));
    };
    row(latitudeBoxes, QStringLiteral("Latitude"), 90);
    row(longitudeBoxes, QStringLiteral("Longitude"), 124);
    std::tie(m_north, m_south) = addOptionFrame(form(), "Frame1", "optNorth", "optSouth", QRect(232, 84, 160, 32));
    std::tie(m_east, m_west) = addOptionFrame(form(), "Frame2", "optEast", "optWest", QRect(232, 118, 160, 32));

    // The field row in layout order, then longitude and latitude.
    QList<QWidget *> chain;
    for (const BoxSpec &field : positionReportBoxes)
        chain += box(field.name);
    for (const BoxSpec &field : longitudeBoxes)
        chain += box(field.name);
    for (const BoxSpec &field : latitudeBoxes)
        chain += box(field.name);
    chain += {m_north, m_south, m_east, m_west};
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void AisWindow::createButtons()
{
    connect(addSendButton(QStringLiteral("Transfer"), QRect(420, 90, 100, 28)), &QPushButton::clicked, this,
            &AisWindow::cmdSendLige_Click);
    addSlotButtons(QRect(540, 90, 70, 26), QPoint(0, 30), QPoint(78, 0));
    addCloseButton(QRect(928, 260, 100, 28));

    // Kept as the form has them, hidden: the position is entered through the rows above.
    auto *generate = addButton(form(), "cmdGenPosition", QStringLiteral("Generate Position"), QRect(8, 170, 130, 28));
    connect(generate, &QPushButton::clicked, this, &AisWindow::cmdGenPosition_Click);
    generate->hide();
    int x = 150;
    for (const Preset &preset : presets) {
        auto *button = addButton(form(), preset.button, QString::fromLatin1(preset.caption), QRect(x, 170, 90, 28));
        connect(button, &QPushButton::clicked, this, [this, &preset] { applyPreset(preset); });
        button->hide();
        x += 96;
    }
    addOutput(QRect(8, 210, 740, 50), false);
    m_transfer = new QLineEdit(form());
    m_transfer->setObjectName(QStringLiteral("txtTransfer"));
    m_transfer->setGeometry(8, 270, 400, 22);
    m_transfer->hide();
}

void AisWindow::installLeaveHandlers()
{
    LeaveHandlers &leave = leaveHandlers();
    leave.add(box("txtMSGID"), [](QLineEdit &edit) -> std::optional<Refusal> {
        if (isPositionReportId(edit.text()))
            return std::nullopt;
        return Refusal {faultText(FieldFault::PositionReportId), true};
    });
    for (const LimitCheck &check : positionReportLimits) {
        leave.add(box(check.box), [check](QLineEdit &edit) -> std::optional<Refusal> {
            if (withinLimit(edit.text(), check.limit))
                return std::nullopt;
            return Refusal {faultText(check.fault)};
        });
    }
    const auto pad = [](QString (*padding)(const QString &)) {
        return [padding](QLineEdit &edit) -> std::optional<Refusal> {
            edit.setText(padding(edit.text()));
            return std::nullopt;
        };
    };
    leave.add(box("txtLatiSecond"), pad(padMinutes));
    leave.add(box("txtLsec"), pad(padMinutes));
    leave.add(box("txtLati10000"), pad(padTenThousandths));
    leave.add(box("txtL10000"), pad(padTenThousandths));
    const auto split = [this](QLineEdit &) -> std::optional<Refusal> {
        splitPosition();
        return std::nullopt;
    };
    leave.add(box("txtLatitude"), split);
    leave.add(box("txtLongitude"), split);
}

void AisWindow::cmdSendLige_Click()
{
    cmdGenPosition_Click();
    transferMessage([this](const QByteArray &message) { m_transfer->setText(transferText(message)); });
}

void AisWindow::cmdGenPosition_Click()
{
    const auto angleOf = [this](const std::array<BoxSpec, 3> &row) {
        return Angle {readNumber(box(row[0].name)->text()), readNumber(box(row[1].name)->text()),
                      readNumber(box(row[2].name)->text())};
    };
    QLineEdit *longitude = box("txtLongitude");
    QLineEdit *latitude = box("txtLatitude");
    longitude->setText(formatNumber(amount(angleOf(longitudeBoxes))));
    latitude->setText(formatNumber(amount(angleOf(latitudeBoxes))));
    if (m_south->isChecked())
        latitude->setText(formatNumber(latitudeField(readNumber(latitude->text()), true)));
    if (m_west->isChecked())
        longitude->setText(formatNumber(longitudeField(readNumber(longitude->text()), true)));
    buildMessage();
}

void AisWindow::applyPreset(const Preset &preset)
{
    for (std::size_t i = 0; i < positionBoxes.size(); ++i)
        box(positionBoxes[i])->setText(QString::fromLatin1(preset.texts[i]));
    cmdGenPosition_Click();
}

void AisWindow::splitPosition()
{
    m_north->setChecked(true);
    m_east->setChecked(true);
    const SplitAngle latitude = splitLatitude(readNumber(box("txtLatitude")->text()));
    const SplitAngle longitude = splitLongitude(readNumber(box("txtLongitude")->text()));
    if (latitude.negative)
        m_south->setChecked(true);
    if (longitude.negative)
        m_west->setChecked(true);
    const auto fill = [this](const std::array<BoxSpec, 3> &row, const Angle &angle) {
        box(row[0].name)->setText(formatNumber(angle.degrees));
        box(row[1].name)->setText(formatNumber(angle.minutes));
        box(row[2].name)->setText(formatNumber(angle.tenThousandths));
    };
    fill(longitudeBoxes, longitude.angle);
    fill(latitudeBoxes, latitude.angle);
}

void AisWindow::saveSlot(const QString &fileName)
{
    cmdGenPosition_Click();
    saveRecordOf(fileName, positionReportRecord);
}

void AisWindow::loadSlot(const QString &fileName)
{
    if (!loadRecordInto(fileName, positionReportRecord))
        return;
    showLoadedPosition();
}

std::span<const int> AisWindow::pastedTypes() const
{
    static constexpr int types[] = {1, 2, 3};
    return types;
}

QString AisWindow::composedTypesText() const
{
    return QStringLiteral("message 1, 2 or 3");
}

void AisWindow::showLoadedPosition()
{
    splitPosition();
    // Padded as leaving the boxes would, in the order the form has always done it.
    QLineEdit *edit = box("txtLsec");
    edit->setText(padMinutes(edit->text()));
    edit = box("txtLati10000");
    edit->setText(padTenThousandths(edit->text()));
    edit = box("txtLatiSecond");
    edit->setText(padMinutes(edit->text()));
    edit = box("txtL10000");
    edit->setText(padTenThousandths(edit->text()));
}

} // namespace tb::ais
