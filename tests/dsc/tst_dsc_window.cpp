// The DSC composer end to end: its boxes, list and labels, the slot buttons, and the transfer with a
// pseudo-terminal as the Testbox.
#include "dsc/dscwindow.h"

#include "common/twips.h"
#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace tb;
using namespace tb::test;

namespace {

// The control array, in index order.
QList<QLineEdit *> txtData(QWidget *window)
{
    auto boxes = window->findChildren<QLineEdit *>(QStringLiteral("txtData"));
    std::sort(boxes.begin(), boxes.end(), [](QLineEdit *a, QLineEdit *b) {
        return a->property("index").toInt() < b->property("index").toInt();
    });
    return boxes;
}

QStringList texts(const QList<QLineEdit *> &boxes)
{
    QStringList out;
    for (const QLineEdit *box : boxes)
        out += box->text();
    return out;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

void click(QWidget *window, const char *button)
{
    QTest::mouseClick(control<QPushButton>(window, QLatin1String(button)), Qt::LeftButton);
}

void leave(QWidget *widget, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(widget, &out);
}

using Boxes = QList<std::pair<int, QString>>;

const QString transfered = QStringLiteral("Message transfered to the Testbox.");

} // namespace

class TestDscWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY(m_pty.open(3, m_work->dir()));
        m_hostOwner = std::make_unique<TestHost>();
        m_hostOwner->port = QStringLiteral(" 3");
    }
    void cleanup()
    {
        if (m_window)
            m_window->close();
        settle();
        m_pty.close();
        m_work.reset();
    }

    void newWindowStandsAsTheFormHasIt()
    {
        QWidget *window = open();
        QVERIFY(m_window->portOpen());
        QCOMPARE(host().launcherShown, 0);
        QCOMPARE(window->windowTitle(), QStringLiteral("DSC Message Composer"));

        const auto boxes = txtData(window);
        QCOMPARE(boxes.size(), 49);
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(boxes[i]->property("index").toInt(), i);
            QCOMPARE(boxes[i]->text(), QStringLiteral("00"));
        }
        // Typing stops at three characters; a longer text from a slot file is kept whole.
        boxes[13]->clear();
        QTest::keyClicks(boxes[13], "1234");
        QCOMPARE(boxes[13]->text(), QStringLiteral("123"));
        boxes[13]->setText(QStringLiteral("1000"));
        QCOMPARE(boxes[13]->text(), QStringLiteral("1000"));
        boxes[13]->setText(QStringLiteral("00"));
        const std::pair<int, QPoint> places[] = {
            {0, {480, 600}},   {1, {840, 600}},   {2, {1320, 600}},  {6, {2760, 600}},  {7, {3240, 600}},
            {8, {3720, 600}},  {12, {5160, 600}}, {13, {480, 1080}}, {24, {4440, 1080}}, {25, {480, 1560}},
            {36, {4440, 1560}}, {37, {480, 2040}}, {48, {4440, 2040}},
        };
        for (const auto &[index, twipsPlace] : places)
            QCOMPARE(boxes[index]->pos(), QPoint(twips(twipsPlace.x()), twips(twipsPlace.y())));

        auto *format = control<QComboBox>(window, "cmbFormat");
        QVERIFY(format->isEditable());
        QCOMPARE(format->currentIndex(), -1);
        QCOMPARE(format->currentText(), QStringLiteral("Format"));
        QCOMPARE(format->count(), 3);
        QCOMPARE(format->itemText(0), QStringLiteral("Selectiv"));
        QCOMPARE(format->itemText(1), QStringLiteral("All ships"));
        QCOMPARE(format->itemText(2), QStringLiteral("Geografic area"));
        QCOMPARE(format->geometry(), twipsRect(0, 240, 1215, format->height() * 15));

        const std::tuple<const char *, QString, QPoint> labels[] = {
            {"lblFormat", "Format", {360, 0}},
            {"lblAddress", "Address", {1560, 240}},
            {"lblCategory", "Cate- gory", {3140, -1}},
            {"lblSelfid", "Self ID", {4080, -1}},
            {"Label2", "Use 117, 122 or 127 as last digits to send.", {1920, 2400}},
        };
        for (const auto &[name, text, place] : labels) {
            auto *label = control<QLabel>(window, QLatin1String(name));
            QCOMPARE(label->text(), text);
            QCOMPARE(label->x(), twips(place.x()));
            if (place.y() >= 0)
                QCOMPARE(label->y(), twips(place.y()));
        }
        QVERIFY(!control<QLabel>(window, "lblAddress")->isHidden());

        const std::tuple<QString, QString, QPoint> buttons[] = {
            {"cmdRead1", "Load 1", {360, 2880}},  {"cmdRead2", "Load 2", {1440, 2880}},
            {"cmdRead3", "Load 3", {2520, 2880}}, {"cmdRead4", "Load 4", {3600, 2880}},
            {"cmdSave1", "Save 1", {360, 3480}},  {"cmdSave2", "Save 2", {1440, 3480}},
            {"cmdSave3", "Save 3", {2520, 3480}}, {"cmdSave4", "Save 4", {3600, 3480}},
            {"cmdTransNy", "Transfer", {5760, 2880}}, {"cmdExit", "Close", {5760, 3480}},
        };
        for (const auto &[name, text, place] : buttons) {
            auto *button = control<QPushButton>(window, name);
            QCOMPARE(button->text(), text);
            QCOMPARE(button->pos(), QPoint(twips(place.x()), twips(place.y())));
        }
        QCOMPARE(control<QPushButton>(window, "cmdSave1")->toolTip(), QStringLiteral("Save message 1 to PC"));
    }

    void transferPutsTheCallOnTheWire_data()
    {
        QTest::addColumn<Boxes>("set");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("new window") << Boxes {} << bytes({200}) + QByteArray(49, '\0') + bytes({128});
        Boxes call;
        const int head[] = {120, 120, 0, 23, 45, 67, 89, 103, 0, 23, 45, 67, 89, 117};
        for (int i = 0; i < 14; ++i)
            call += {i, QString::number(head[i])};
        call += {20, QStringLiteral("-5")};
        QTest::newRow("selective call")
            << call << bytes({200, 120, 120, 0, 23, 45, 67, 89, 103, 0, 23, 45, 67, 89, 117, 128});
        QTest::newRow("130 ends unsent") << Boxes {{0, "116"}, {2, "130"}, {3, "117"}} << bytes({200, 116, 116, 128});
        QTest::newRow("127 at box 48") << Boxes {{48, "127"}} << bytes({200}) + QByteArray(48, '\0') + bytes({127, 128});
    }
    void transferPutsTheCallOnTheWire()
    {
        QFETCH(Boxes, set);
        QFETCH(QByteArray, wire);
        QWidget *window = open();
        const auto boxes = txtData(window);
        for (const auto &[index, text] : set)
            boxes[index]->setText(text);
        click(window, "cmdTransNy");
        QCOMPARE(m_pty.readExactly(int(wire.size())), wire);
        QCOMPARE(m_pty.read(100), QByteArray());
        QCOMPARE(host().scripted.messages, QStringList {transfered});
    }

    void unsendableBoxSendsNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("negative") << 13 << "-5" << "Box 13 holds -5, which cannot be sent.";
        QTest::newRow("beyond 16 bits") << 2 << "9E9" << "Box 2 holds 9000000000, which cannot be sent.";
    }
    void unsendableBoxSendsNothing()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QWidget *window = open();
        txtData(window)[index]->setText(text);
        click(window, "cmdTransNy");
        QCOMPARE(host().scripted.messages, QStringList {message});
        QCOMPARE(m_pty.read(200), QByteArray());
    }

    void closedLinkAnswersProblemWithCom_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("no port") << QString();
        QTest::newRow("port without device") << QStringLiteral(" 9");
    }
    void closedLinkAnswersProblemWithCom()
    {
        QFETCH(QString, port);
        host().port = port;
        QWidget *window = open();
        QVERIFY(!m_window->portOpen());
        QCOMPARE(host().launcherFocused, 1);
        QVERIFY(host().scripted.messages.isEmpty());
        // The link is what fails, even when a box could not be sent either.
        txtData(window)[13]->setText("-5");
        click(window, "cmdTransNy");
        QCOMPARE(host().scripted.messages, QStringList {QStringLiteral("Problem with com") + port});
        QCOMPARE(m_pty.read(100), QByteArray());
    }

    void formatListFillsTheHead_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("addressShown");
        QTest::addColumn<int>("selfIdLeft");
        QTest::addColumn<int>("categoryLeft");
        QTest::newRow("Selectiv") << 0 << "120" << "103" << true << 4080 << 3140;
        QTest::newRow("All ships") << 1 << "116" << "42" << false << 1800 << 1220;
        QTest::newRow("Geografic area") << 2 << "103" << "42" << false << 1800 << 1220;
    }
    void formatListFillsTheHead()
    {
        QFETCH(int, item);
        QFETCH(QString, format);
        QFETCH(QString, category);
        QFETCH(bool, addressShown);
        QFETCH(int, selfIdLeft);
        QFETCH(int, categoryLeft);
        QWidget *window = open();
        const auto boxes = txtData(window);
        boxes[7]->setText("42");
        auto *list = control<QComboBox>(window, "cmbFormat");

        // Choosing alone does nothing; leaving the list does.
        list->setCurrentIndex(item);
        QCOMPARE(boxes[0]->text(), QStringLiteral("00"));
        leave(list);
        QCOMPARE(boxes[0]->text(), format);
        QCOMPARE(boxes[1]->text(), format);
        QCOMPARE(boxes[7]->text(), category);
        QCOMPARE(!control<QLabel>(window, "lblAddress")->isHidden(), addressShown);
        QCOMPARE(control<QLabel>(window, "lblSelfid")->x(), twips(selfIdLeft));
        QCOMPARE(control<QLabel>(window, "lblCategory")->x(), twips(categoryLeft));
    }

    void listActsOnlyOnAChosenItemAndARealLeave()
    {
        QWidget *window = open();
        const auto boxes = txtData(window);
        auto *list = control<QComboBox>(window, "cmbFormat");
        leave(list);
        QCOMPARE(boxes[0]->text(), QStringLiteral("00"));

        // The list's own popup or another window taking the focus is no leaving.
        list->setCurrentIndex(1);
        leave(list, Qt::PopupFocusReason);
        leave(list, Qt::ActiveWindowFocusReason);
        QCOMPARE(boxes[0]->text(), QStringLiteral("00"));
        leave(list, Qt::MouseFocusReason);
        QCOMPARE(boxes[0]->text(), QStringLiteral("116"));

        // Typing into the list's text unchooses the item.
        boxes[0]->setText("120");
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), "Geo");
        leave(list);
        QCOMPARE(boxes[0]->text(), QStringLiteral("120"));
    }

    void movingTheFocusOnLeavesTheList()
    {
        QWidget *window = open();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *list = control<QComboBox>(window, "cmbFormat");
        list->setFocus(Qt::MouseFocusReason);
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Down); // the keyboard's way of choosing the first item
        QCOMPARE(list->currentIndex(), 0);
        const auto boxes = txtData(window);
        list->showPopup(); // opening its own list is no leaving
        QTRY_VERIFY(list->view()->isVisible());
        list->hidePopup();
        QCOMPARE(boxes[0]->text(), QStringLiteral("00"));
        boxes[20]->setFocus(Qt::TabFocusReason);
        QCOMPARE(boxes[0]->text(), QStringLiteral("120"));
        QCOMPARE(boxes[7]->text(), QStringLiteral("103"));
    }

    void boxZeroLeadsBoxOneAndTheLabels_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("addressShown");
        QTest::addColumn<int>("selfIdLeft");
        QTest::addColumn<int>("categoryLeft");
        QTest::newRow("103") << "103" << false << 1800 << 1220;
        QTest::newRow("116") << "116" << false << 1800 << 1220;
        QTest::newRow("120") << "120" << true << 4080 << 3140;
        QTest::newRow("leading zero") << "010" << true << 4080 << 3140;
        QTest::newRow("leading blank") << " 10" << true << 4080 << 3140;
    }
    void boxZeroLeadsBoxOneAndTheLabels()
    {
        QFETCH(QString, typed);
        QFETCH(bool, addressShown);
        QFETCH(int, selfIdLeft);
        QFETCH(int, categoryLeft);
        QWidget *window = open();
        const auto boxes = txtData(window);
        // From a format without address first, so that every row shows a move.
        boxes[0]->setText(addressShown ? "116" : "120");
        boxes[0]->clear();
        QTest::keyClicks(boxes[0], typed);
        QCOMPARE(boxes[0]->text(), typed);
        QCOMPARE(boxes[1]->text(), typed);
        QCOMPARE(!control<QLabel>(window, "lblAddress")->isHidden(), addressShown);
        QCOMPARE(control<QLabel>(window, "lblSelfid")->x(), twips(selfIdLeft));
        QCOMPARE(control<QLabel>(window, "lblCategory")->x(), twips(categoryLeft));

        // Box 1 cannot be typed into for long, and any other box brings it back too.
        QTest::keyClicks(boxes[1], "5");
        QCOMPARE(boxes[1]->text(), typed);
        QTest::keyClicks(boxes[30], "7");
        QCOMPARE(boxes[1]->text(), typed);
    }

    void saveThenLoadGivesTheCallBack()
    {
        QWidget *window = open();
        auto boxes = txtData(window);
        boxes[0]->setText("120");
        boxes[7]->setText("103");
        boxes[13]->setText("7");
        boxes[14]->setText("117");
        click(window, "cmdSave2");
        QVERIFY(host().scripted.messages.isEmpty());
        QFile file(m_work->file("DSCData2.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 50); // 49 lines and nothing after the last CR LF
        QCOMPARE(lines[13], QByteArray("7\r"));
        QCOMPARE(lines[1], QByteArray("120\r"));
        QCOMPARE(lines[48], QByteArray("0\r"));

        const QStringList saved = texts(boxes);
        for (QLineEdit *box : boxes)
            box->setText("5");
        click(window, "cmdRead2");
        QStringList expected = saved;
        expected[13] = "07";
        QCOMPARE(texts(boxes), expected);
        QVERIFY(host().scripted.messages.isEmpty());
    }

    void loadFollowsBoxZeroAndStopsWhereTheFileDoes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Boxes>("changed");
        QTest::addColumn<bool>("addressShown");
        QTest::newRow("box 1 from the file is overruled")
            << QByteArray("116\r\n99\r\n3\r\n") << Boxes {{0, "116"}, {1, "116"}, {2, "03"}} << false;
        QTest::newRow("commas, short") << QByteArray("103,5") << Boxes {{0, "103"}, {1, "103"}} << false;
        QTest::newRow("one-digit format") << QByteArray("5\r\n") << Boxes {{0, "05"}, {1, "05"}} << true;
        QTest::newRow("value beyond 16 bits stops")
            << QByteArray("120\r\n0\r\n40000\r\n9\r\n") << Boxes {{0, "120"}, {1, "120"}} << true;
    }
    void loadFollowsBoxZeroAndStopsWhereTheFileDoes()
    {
        QFETCH(QByteArray, content);
        QFETCH(Boxes, changed);
        QFETCH(bool, addressShown);
        QFile file(m_work->file("DSCData3.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        QWidget *window = open();
        const auto boxes = txtData(window);
        for (QLineEdit *box : boxes)
            box->setText("42");
        click(window, "cmdRead3");
        QStringList expected(49, "42");
        for (const auto &[index, text] : changed)
            expected[index] = text;
        QCOMPARE(texts(boxes), expected);
        QCOMPARE(!control<QLabel>(window, "lblAddress")->isHidden(), addressShown);
        QVERIFY(host().scripted.messages.isEmpty());
    }

    void loadingAMissingSlotChangesNothing()
    {
        QWidget *window = open();
        const auto boxes = txtData(window);
        boxes[0]->setText("116");
        boxes[9]->setText("12");
        const QStringList before = texts(boxes);
        click(window, "cmdRead4");
        QCOMPARE(texts(boxes), before);
        QVERIFY(host().scripted.messages.isEmpty());
    }

    void failedSaveKeepsTheOldFileAndSaysSo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("box beyond 16 bits") << "cmdSave1" << "Can't save DSCData1.txt!";
        QTest::newRow("file cannot be written") << "cmdSave4" << "Can't save DSCData4.txt!";
    }
    void failedSaveKeepsTheOldFileAndSaysSo()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        const QByteArray old = "1\r\n2\r\n";
        QFile file(m_work->file("DSCData1.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
        file.close();
        // A folder where the slot file should be cannot be replaced by a file.
        QVERIFY(m_work->dir().mkdir("DSCData4.txt"));

        QWidget *window = open();
        txtData(window)[20]->setText("9E9");
        QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
        QCOMPARE(host().scripted.messages, QStringList {message});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QVERIFY(QFileInfo(m_work->file("DSCData4.txt")).isDir());
    }

    void closeReleasesThePort()
    {
        QWidget *window = open();
        click(window, "cmdExit");
        QCOMPARE(host().launcherShown, 1);
        settle();
        QVERIFY(m_window.isNull());
        QVERIFY(open() && m_window->portOpen());
    }

private:
    QWidget *open()
    {
        m_window = new DscWindow(host());
        return m_window;
    }
    TestHost &host() { return *m_hostOwner; }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_hostOwner;
    QPointer<DscWindow> m_window;
};

QTEST_MAIN(TestDscWindow)
#include "tst_dsc_window.moc"
