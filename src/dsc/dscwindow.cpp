#include "dscwindow.h"

#include "common/dialogs.h"
#include "common/form.h"
#include "common/numbers.h"
#include "common/textfit.h"
#include "common/twips.h"
#include "common/typinglimit.h"
#include "dsc/dsccall.h"
#include "dsc/dschead.h"
#include "dsc/dsclayout.h"
#include "dsc/dscslot.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tb {

namespace {

constexpr int formatListWidth = 1215;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

} // namespace

DscWindow::DscWindow(ToolHost &host, QWidget *parent) : ToolWindow(host, parent)
{
    setObjectName(QStringLiteral("frmDSCCompose2"));
    setWindowTitle(QStringLiteral("DSC Message Composer"));
    makeForm({twips(7515), twips(4170)});

    buildBoxes();
    buildLabels();
    buildButtons();

    openTestboxLink();
    fillFormatList();
    // The least room the list has: up to the address caption.
    shrinkListTo(m_format, m_address->x() - m_format->x());
    fitFormatList(dsc::headLabelsFor(m_txtData[0]->text()));
    finishForm(this);
}

void DscWindow::buildBoxes()
{
    m_txtData.reserve(dsc::boxCount);
    for (int index = 0; index < dsc::boxCount; ++index) {
        auto *box = new QLineEdit(QStringLiteral("00"), form());
        box->setObjectName(QStringLiteral("txtData"));
        box->setProperty("index", index);
        limitTyping(box, 3);
        const auto place = dsc::boxPlaces[index];
        box->setGeometry(twipsRect(place.left, place.top, dsc::boxWidth, dsc::boxHeight));
        // The boxes stand too close to grow: three digits fit by a smaller font instead.
        shrinkToTypingLimit(box);
        // Changes from code count as well as typing: box 1 and the labels follow box 0 always.
        connect(box, &QLineEdit::textChanged, this, &DscWindow::txtData_Change);
        m_txtData += box;
    }
}

void DscWindow::buildLabels()
{
    makeLabel(form(), "lblFormat", QStringLiteral("Format"), twipsRect(360, 0, 855, 255));

    m_format = new QComboBox(form());
    m_format->setObjectName(QStringLiteral("cmbFormat"));
    m_format->setEditable(true);
    m_format->setInsertPolicy(QComboBox::NoInsert);
    m_format->setGeometry(twipsRect(0, 240, formatListWidth, 315));
    m_format->installEventFilter(this);
    connect(m_format, &QComboBox::currentIndexChanged, this, [this](int index) { m_formatChosen = index; });
    connect(m_format, &QComboBox::activated, this, [this](int index) { m_formatChosen = index; });
    connect(m_format->lineEdit(), &QLineEdit::textEdited, this, [this] { m_formatChosen = -1; });
    connect(m_format, &QComboBox::editTextChanged, this,
            [this] { fitFormatList(dsc::headLabelsFor(m_txtData[0]->text())); });

    const dsc::HeadLabels head = dsc::headLabelsFor(QStringLiteral("00"));
    m_address = makeLabel(form(), "lblAddress", QStringLiteral("Address"), twipsRect(1560, 240, 1095, 255));
    // On one line above the others, so that the format list can widen beneath it.
    m_category = makeLabel(form(), "lblCategory", QStringLiteral("Cate- gory"),
                           twipsRect(head.categoryLeft, 0, 1095, 255));
    m_selfId = makeLabel(form(), "lblSelfid", QStringLiteral("Self ID"), twipsRect(head.selfIdLeft, 240, 1095, 255));

    makeLabel(form(), "Label2", QStringLiteral("Use 117, 122 or 127 as last digits to send."),
              twipsRect(1920, 2400, 3855, 255));
}

void DscWindow::buildButtons()
{
    constexpr int slotLefts[] = {360, 1440, 2520, 3600};
    for (int slot = 1; slot <= 4; ++slot) {
        const QString file = dsc::slotFileName(slot);
        const int left = slotLefts[slot - 1];
        auto *load = makeButton(form(), QStringLiteral("cmdRead%1").arg(slot), QStringLiteral("Load %1").arg(slot),
                                twipsRect(left, 2880, 975, 495));
        connect(load, &QPushButton::clicked, this, [this, file] { loadDscSlot(file); });
        auto *save = makeButton(form(), QStringLiteral("cmdSave%1").arg(slot), QStringLiteral("Save %1").arg(slot),
                                twipsRect(left, 3480, 975, 495));
        connect(save, &QPushButton::clicked, this, [this, file] { saveDscSlot(file); });
        if (slot == 1)
            save->setToolTip(QStringLiteral("Save message 1 to PC"));
    }

    auto *transfer = makeButton(form(), QStringLiteral("cmdTransNy"), QStringLiteral("Transfer"),
                                twipsRect(5760, 2880, 1215, 495));
    connect(transfer, &QPushButton::clicked, this, &DscWindow::transferCall);
    auto *exit = makeButton(form(), QStringLiteral("cmdExit"), QStringLiteral("Close"),
                            twipsRect(5760, 3480, 1215, 495));
    connect(exit, &QPushButton::clicked, this, &ToolWindow::closeToLauncher);
}

void DscWindow::fillFormatList()
{
    m_format->clear();
    for (const auto &preset : dsc::formatPresets)
        m_format->addItem(QString::fromLatin1(preset.item));
    // Adding to an empty list selects its first item; a new window has no format chosen.
    m_format->setCurrentIndex(-1);
    m_format->setEditText(QStringLiteral("Format"));
    m_formatChosen = -1;
}

bool DscWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_format && event->type() == QEvent::FocusOut) {
        // The list's own popup (whose view takes the focus while open) and another window taking
        // over are no leaving of the list.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *to = QApplication::focusWidget();
        const bool intoOwnPopup = to && to->window() == m_format->view()->window();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !intoOwnPopup)
            cmbFormat_LostFocus();
    }
    return ToolWindow::eventFilter(watched, event);
}

void DscWindow::cmbFormat_LostFocus()
{
    if (m_formatChosen < 0 || m_formatChosen >= int(dsc::formatPresets.size()))
        return;
    const auto &preset = dsc::formatPresets[m_formatChosen];
    m_txtData[0]->setText(QString::fromLatin1(preset.formatSymbol));
    if (preset.categorySymbol)
        m_txtData[dsc::categoryBox]->setText(QString::fromLatin1(preset.categorySymbol));
}

void DscWindow::txtData_Change()
{
    const QString format = m_txtData[0]->text();
    m_txtData[1]->setText(format); // an unchanged text fires nothing further
    const dsc::HeadLabels head = dsc::headLabelsFor(format);
    m_address->setVisible(head.addressShown);
    m_category->move(twips(head.categoryLeft), m_category->y());
    m_selfId->move(twips(head.selfIdLeft), m_selfId->y());
    fitFormatList(head);
}

void DscWindow::fitFormatList(const dsc::HeadLabels &head)
{
    // A long format name widens the list as far as the caption beside it leaves room.
    const int room = (head.addressShown ? m_address->x() : twips(head.selfIdLeft)) - m_format->x();
    const int width = std::max(twips(formatListWidth), listWidthFor(*m_format, m_format->currentText()));
    m_format->resize(std::min(width, room), m_format->height());
}

QStringList DscWindow::boxTexts() const
{
    QStringList texts;
    for (const QLineEdit *box : m_txtData)
        texts += box->text();
    return texts;
}

void DscWindow::saveDscSlot(const QString &fileName)
{
    if (!dsc::writeSlotFile(fileName, boxTexts()))
        dialogs().message(this, QStringLiteral("Can't save ") + fileName + QLatin1Char('!'));
}

void DscWindow::loadDscSlot(const QString &fileName)
{
    const auto values = dsc::readSlotFile(fileName);
    for (int index = 0; index < values.size(); ++index)
        m_txtData[index]->setText(dsc::padSymbol(QString::number(values[index])));
}

void DscWindow::transferCall()
{
    // Without a link nothing can go out; that is said before any box is looked at.
    if (!link().isOpen()) {
        reportProblemWithCom();
        return;
    }
    const auto frame = dsc::callFrame(boxTexts());
    if (const auto *bad = std::get_if<dsc::UnsendableSymbol>(&frame)) {
        dialogs().message(this, QStringLiteral("Box %1 holds %2, which cannot be sent.")
                                    .arg(bad->index)
                                    .arg(formatNumber(bad->value)));
        return;
    }
    if (sendFrame(std::get<QByteArray>(frame)))
        dialogs().message(this, QStringLiteral("Message transfered to the Testbox."));
}

} // namespace tb
