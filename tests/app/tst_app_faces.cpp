// Every window as a technician sees it: each shown text fits its control, measured with the
// control's own font and style, no caption runs into another control, the window lies whole on
// its screen, and Enter presses a focused button but nothing from a text box.
//
// CTest runs it twice: on a roomy screen at 100 %, and scaled by 1.5 on a small screen.
#include "app/application.h"

#include "common/typinglimit.h"
#include "pty/ptyport.h"
#include "scripteddialogs.h"
#include "widgets.h"
#include "workdir.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextBlock>

#include <functional>

using namespace tb;
using namespace tb::test;

namespace {

QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QRect inWindow(const QWidget *w, const QRect &r)
{
    return QRect(w->mapTo(w->window(), r.topLeft()), r.size());
}

// The rectangle a label's text is drawn in, in its own coordinates.
QRect drawnTextRect(const QLabel *label)
{
    int flags = int(label->alignment()) | Qt::TextShowMnemonic;
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    const QRect room = label->contentsRect();
    return label->fontMetrics().boundingRect(room, flags, label->text());
}

// Room for text in a line edit, as QLineEdit lays it out: the style's contents, less the text
// margins and the two pixels the edit keeps on each side and one above and below.
QRect lineEditTextRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    room = room.marginsRemoved(edit->textMargins());
    return room.adjusted(2, 1, -2, -1);
}

// The widest text a box can be typed full with: its limit in the widest digit.
QString widestTyped(const QLineEdit *edit)
{
    const int limit = typingLimit(*edit);
    if (limit <= 0)
        return {};
    QChar widest = u'0';
    for (char16_t c = u'0'; c <= u'9'; ++c)
        if (edit->fontMetrics().horizontalAdvance(QChar(c)) > edit->fontMetrics().horizontalAdvance(widest))
            widest = QChar(c);
    return QString(limit, widest);
}

void checkLineText(const QLineEdit *edit, const QString &text, const QString &what, QStringList &faults)
{
    const QRect room = lineEditTextRoom(edit);
    const int width = edit->fontMetrics().horizontalAdvance(text);
    if (width > room.width() || edit->fontMetrics().height() > room.height())
        faults += QStringLiteral("%1: %2 \"%3\" needs %4x%5, has %6x%7")
                      .arg(nameOf(edit), what, text)
                      .arg(width)
                      .arg(edit->fontMetrics().height())
                      .arg(room.width())
                      .arg(room.height());
}

void checkLineEdit(const QLineEdit *edit, QStringList &faults)
{
    checkLineText(edit, edit->text(), QStringLiteral("text"), faults);
    const QString typed = widestTyped(edit);
    if (!typed.isEmpty())
        checkLineText(edit, typed, QStringLiteral("value at its typing limit"), faults);
}

void checkCombo(QComboBox *combo, QStringList &faults)
{
    // The closed list shows its text; the open one every item.
    if (QLineEdit *edit = combo->lineEdit())
        checkLineText(edit, edit->text(), QStringLiteral("text"), faults);
    if (combo->count() == 0)
        return;
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    for (int i = 0; i < combo->count(); ++i) {
        const int needed = view->sizeHintForIndex(combo->model()->index(i, 0)).width();
        if (needed > view->viewport()->width())
            faults += QStringLiteral("%1: list item \"%2\" needs %3, has %4")
                          .arg(nameOf(combo), combo->itemText(i))
                          .arg(needed)
                          .arg(view->viewport()->width());
    }
    combo->hidePopup();
}

void checkPushButton(const QPushButton *button, QStringList &faults)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->autoDefault() || button->isDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (needed.width() > room.width() || needed.height() > room.height())
        faults += QStringLiteral("%1: caption \"%2\" needs %3x%4, has %5x%6")
                      .arg(nameOf(button), button->text())
                      .arg(needed.width())
                      .arg(needed.height())
                      .arg(room.width())
                      .arg(room.height());
}

// Radio buttons, check boxes and titled frames: their style's own size for their contents.
void checkBySizeHint(const QWidget *w, const QString &text, QSize needed, QStringList &faults)
{
    if (needed.width() > w->width() || needed.height() > w->height())
        faults += QStringLiteral("%1: \"%2\" needs %3x%4, has %5x%6")
                      .arg(nameOf(w), text)
                      .arg(needed.width())
                      .arg(needed.height())
                      .arg(w->width())
                      .arg(w->height());
}

void checkLabel(const QLabel *label, QStringList &faults)
{
    const QRect drawn = drawnTextRect(label);
    if (!label->contentsRect().contains(drawn))
        faults += QStringLiteral("%1: caption \"%2\" needs %3x%4, has %5x%6")
                      .arg(nameOf(label), label->text())
                      .arg(drawn.width())
                      .arg(drawn.height())
                      .arg(label->contentsRect().width())
                      .arg(label->contentsRect().height());
}

// Lines that a box without wrapping cuts at its right side.
void checkPlainText(const QPlainTextEdit *box, QStringList &faults)
{
    if (box->lineWrapMode() != QPlainTextEdit::NoWrap)
        return;
    const int room = box->viewport()->width() - 2 * int(box->document()->documentMargin());
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        const int width = box->fontMetrics().horizontalAdvance(block.text());
        if (width > room) {
            faults += QStringLiteral("%1: line \"%2\" needs %3, has %4").arg(nameOf(box), block.text()).arg(width).arg(room);
            return;
        }
    }
}

bool isControl(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w) && qobject_cast<const QComboBox *>(w->parentWidget()))
        return false; // the combo box's own edit
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w)
        || qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QGroupBox *>(w)
        || qobject_cast<const QPlainTextEdit *>(w);
}

QList<QWidget *> shownControls(QWidget *window)
{
    QList<QWidget *> shown;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->isVisibleTo(window) && isControl(w))
            shown += w;
    return shown;
}

// Every fault of the window's face, one text each.
QStringList faceFaults(QWidget *window)
{
    QStringList faults;
    const QList<QWidget *> controls = shownControls(window);
    for (QWidget *w : controls) {
        if (auto *label = qobject_cast<QLabel *>(w))
            checkLabel(label, faults);
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            checkCombo(combo, faults);
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            checkLineEdit(edit, faults);
        else if (auto *button = qobject_cast<QPushButton *>(w))
            checkPushButton(button, faults);
        else if (qobject_cast<QRadioButton *>(w) || qobject_cast<QCheckBox *>(w))
            checkBySizeHint(w, static_cast<QAbstractButton *>(w)->text(), w->sizeHint(), faults);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            checkBySizeHint(w, group->title(), group->minimumSizeHint(), faults);
        else if (auto *box = qobject_cast<QPlainTextEdit *>(w))
            checkPlainText(box, faults);

        // A control reaching out of the frame it stands in is cut by it.
        QWidget *parent = w->parentWidget();
        if (parent && parent != window && !qobject_cast<QAbstractScrollArea *>(parent->parentWidget())
            && !parent->rect().contains(w->geometry()))
            faults += QStringLiteral("%1 reaches out of %2").arg(nameOf(w), nameOf(parent));
    }

    // A caption's drawn text against every other control (against another caption's text only).
    for (QWidget *w : controls) {
        auto *label = qobject_cast<QLabel *>(w);
        if (!label || label->text().isEmpty())
            continue;
        const QRect text = inWindow(label, drawnTextRect(label));
        for (QWidget *other : controls) {
            if (other == label || other->isAncestorOf(label))
                continue;
            const auto *otherLabel = qobject_cast<QLabel *>(other);
            const QRect place = otherLabel ? inWindow(otherLabel, drawnTextRect(otherLabel))
                                           : inWindow(other, other->rect());
            if (text.intersects(place))
                faults += QStringLiteral("caption %1 \"%2\" meets %3").arg(nameOf(label), label->text(), nameOf(other));
        }
    }
    return faults;
}

using Preparation = std::function<void(QWidget *window)>;

} // namespace

class TestFaces : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkDir> m_work;
    std::unique_ptr<PtyPort> m_testbox;
    ScriptedDialogs *m_dialogs = nullptr;
    QWidget *m_launcher = nullptr;

    // Opens a window as the technician does, from its launcher button.
    QWidget *open(const QString &button, const QString &window)
    {
        if (button.isEmpty())
            return m_launcher;
        auto *b = control<QPushButton>(m_launcher, button);
        b->setEnabled(true); // the hidden message 5 and 15 buttons too
        b->click();
        settle();
        return findWindow(window);
    }

private slots:
    void initTestCase()
    {
        m_work = std::make_unique<WorkDir>();
        m_testbox = std::make_unique<PtyPort>();
        QVERIFY(m_testbox->open(1, m_work->dir()));
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_launcher = openLauncher(std::move(dialogs));
        control<QComboBox>(m_launcher, "Combo1")->setCurrentText(" 1");
    }

    void cleanupTestCase() { delete m_launcher; }

    // Each row opens its window afresh.
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != m_launcher && w->isVisible())
                w->close();
        settle();
        m_dialogs->messages.clear();
    }

    void textsFit_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<Preparation>("prepare");

        const Preparation asOpened = [](QWidget *) {};
        QTest::newRow("launcher") << QString() << "frmDSCStartup" << asOpened;
        QTest::newRow("AIS position report") << "cmdAIS" << "frmComposeAis" << asOpened;
        QTest::newRow("AIS message 5") << "cmdMSG5" << "frmComposeAis5" << asOpened;
        QTest::newRow("AIS message 15") << "cmdMSG15" << "frmComposeAis15" << asOpened;
        QTest::newRow("DSC") << "cmdDSC" << "frmDSCCompose2" << asOpened;
        QTest::newRow("DSC with three-digit symbols") << "cmdDSC" << "frmDSCCompose2" << Preparation([](QWidget *w) {
            // The longest format chosen and the list left, which fills in the head.
            auto *format = control<QComboBox>(w, "cmbFormat");
            format->setCurrentIndex(2);
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(format, &leave);
            const QList<QLineEdit *> boxes = w->findChildren<QLineEdit *>("txtData");
            QCOMPARE(boxes.value(0)->text(), QStringLiteral("103"));
            const QStringList symbols {"116", "120", "127", "108"};
            for (qsizetype i = 2; i < boxes.size(); ++i)
                boxes[i]->setText(symbols[i % symbols.size()]);
        });
        QTest::newRow("NMEA") << "cmdNMEA" << "frmComposeNMEA" << asOpened;
        QTest::newRow("monitor idle") << "cmdAISREC" << "frmAISDebug" << asOpened;
        QTest::newRow("monitor receiving") << "cmdAISREC" << "frmAISDebug" << Preparation([this](QWidget *w) {
            m_dialogs->fileNames.enqueue(QStringLiteral(TB_MONITOR_DATA "/mixed.dump"));
            control<QPushButton>(w, "cmdReadFile")->click();
            control<QPushButton>(w, "cmdContinius")->click();
            settle();
        });
    }

    void textsFit()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(Preparation, prepare);
        QWidget *w = open(button, window);
        QVERIFY(w);
        prepare(w);
        if (QTest::currentTestFailed())
            return;
        settle();
        const QStringList faults = faceFaults(w);
        for (const QString &fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
    }

    // The whole window on its screen, and all of its form reachable.
    void windowsFitTheScreen_data() { textsFit_data(); }
    void windowsFitTheScreen()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QWidget *w = open(button, window);
        QVERIFY(w);
        const QRect available = w->screen()->availableGeometry();
        QVERIFY2(available.contains(w->frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2 at %3,%4 on %5x%6")
                                .arg(w->frameGeometry().width())
                                .arg(w->frameGeometry().height())
                                .arg(w->frameGeometry().x())
                                .arg(w->frameGeometry().y())
                                .arg(available.width())
                                .arg(available.height())));
        auto *area = w->findChild<QScrollArea *>();
        QVERIFY(area);
        const QSize form = area->widget()->size();
        const bool cutWide = form.width() > area->viewport()->width();
        const bool cutHigh = form.height() > area->viewport()->height();
        QCOMPARE(area->horizontalScrollBar()->isVisible(), cutWide);
        QCOMPARE(area->verticalScrollBar()->isVisible(), cutHigh);
        if (available.width() >= 1280 && available.height() >= 1024) // a roomy screen shows the form as it is
            QCOMPARE(w->size(), form);
    }

    // Enter or Return on a focused button presses it; in a text box it presses nothing.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("launcher") << QString() << "frmDSCStartup" << "cmdAIS";
        QTest::newRow("AIS position report") << "cmdAIS" << "frmComposeAis" << "cmdSave1";
        QTest::newRow("AIS message 5") << "cmdMSG5" << "frmComposeAis5" << "cmdSave2";
        QTest::newRow("AIS message 15") << "cmdMSG15" << "frmComposeAis15" << "cmdSave3";
        QTest::newRow("DSC") << "cmdDSC" << "frmDSCCompose2" << "cmdSave1";
        QTest::newRow("NMEA") << "cmdNMEA" << "frmComposeNMEA" << "cmdGenerate";
        QTest::newRow("monitor") << "cmdAISREC" << "frmAISDebug" << "cmdReadFile";
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(QString, pressed);
        QWidget *w = open(button, window);
        QVERIFY(w);
        QList<QPair<QString, std::shared_ptr<QSignalSpy>>> spies;
        for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
            spies += {b->objectName(), std::make_shared<QSignalSpy>(b, &QAbstractButton::clicked)};
        const auto clicks = [&spies] {
            QStringList names;
            for (const auto &[name, spy] : spies)
                for (qsizetype i = 0; i < spy->count(); ++i)
                    names += name;
            return names;
        };

        for (QLineEdit *edit : w->findChildren<QLineEdit *>()) {
            if (!edit->isVisibleTo(w) || !edit->isEnabled())
                continue;
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Enter);
        }
        QCOMPARE(clicks(), QStringList());

        auto *target = control<QPushButton>(w, pressed);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        QTest::keyClick(target, Qt::Key_Space);
        QCOMPARE(clicks(), QStringList(3, pressed));
    }
};

QTEST_MAIN(TestFaces)
#include "tst_app_faces.moc"
