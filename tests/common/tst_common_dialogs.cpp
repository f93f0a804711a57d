// The real message boxes and file dialogs: wide enough for their title, and safe when their window
// goes away while they are open.
#include "common/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tb;

namespace {

enum class Box { Message, Open, Save };

// Runs `call` (which opens a box) with `whileOpen` run once the box is up.
void whileBoxIsOpen(const std::function<void(QWidget *box)> &whileOpen, const std::function<void()> &call)
{
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget *box = QApplication::activeModalWidget(); box && !ran) {
            ran = true;
            whileOpen(box);
        }
    });
    poll.start(10);
    call();
    QVERIFY(ran);
}

QString openBox(Box kind, QtDialogs &dialogs, QWidget *parent)
{
    switch (kind) {
    case Box::Message:
        dialogs.message(parent, QStringLiteral("No filename!"));
        return {};
    case Box::Open:
        return dialogs.askFileName(parent, {}, QStringLiteral("aisout.txt"), FileDialogMode::Open);
    case Box::Save:
        return dialogs.askFileName(parent, QStringLiteral("Save the last 100 messages"), QStringLiteral("AISData.txt"),
                                   FileDialogMode::Save);
    }
    return {};
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    // Measured with the title bar's font, with room for the frame's icon and buttons.
    void messageBoxShowsItsTitleWhole()
    {
        QWidget window;
        window.show();
        QtDialogs dialogs;
        int width = 0;
        QString title;
        whileBoxIsOpen(
            [&](QWidget *box) {
                width = box->width();
                title = box->windowTitle();
                box->close();
            },
            [&] { dialogs.message(&window, QStringLiteral("OK")); });
        QCOMPARE(title, QStringLiteral("Torvanik TB"));
        const QFontMetrics titleBar(QApplication::font("QMdiSubWindowTitleBar"));
        const int buttons = 3 * window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QVERIFY2(width >= titleBar.horizontalAdvance(title) + buttons, qPrintable(QString::number(width)));
    }

    void fileDialogTitle()
    {
        QWidget window;
        window.show();
        QtDialogs dialogs;
        QStringList titles;
        for (const QString &asked : {QStringLiteral("Save the last 100 messages"), QString()}) {
            whileBoxIsOpen(
                [&](QWidget *box) {
                    titles += box->windowTitle();
                    box->close();
                },
                [&] { QVERIFY(dialogs.askFileName(&window, asked, "AISData.txt", FileDialogMode::Save).isEmpty()); });
        }
        QCOMPARE(titles.first(), QStringLiteral("Save the last 100 messages"));
        QVERIFY(!titles.last().isEmpty()); // the dialog's own
    }

    void windowGoesWhileTheBoxIsOpen_data()
    {
        QTest::addColumn<Box>("kind");
        QTest::addColumn<bool>("deferred");
        QTest::newRow("message, window deleted") << Box::Message << false;
        QTest::newRow("open dialog, window deleted") << Box::Open << false;
        QTest::newRow("save dialog, window deleted") << Box::Save << false;
        QTest::newRow("message, window closed for deletion") << Box::Message << true;
        QTest::newRow("open dialog, window closed for deletion") << Box::Open << true;
        QTest::newRow("save dialog, window deleted later") << Box::Save << true;
    }
    // Deleted outright, the window takes its box along and the call returns as cancelled; a deferred
    // deletion waits until the call has returned, so the code that opened the box finds its window.
    void windowGoesWhileTheBoxIsOpen()
    {
        QFETCH(Box, kind);
        QFETCH(bool, deferred);
        auto *window = new QWidget;
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto *inner = new QWidget(window); // a box's parent is often a control of the window
        window->show();
        QPointer<QWidget> alive = window;
        QtDialogs dialogs;
        QString chosen;
        whileBoxIsOpen(
            [&](QWidget *box) {
                if (!deferred) {
                    delete window;
                    return;
                }
                if (kind == Box::Open)
                    window->close();
                else
                    window->deleteLater();
                QTimer::singleShot(50, box, &QWidget::close);
            },
            [&] { chosen = openBox(kind, dialogs, kind == Box::Message ? window : inner); });
        QVERIFY(chosen.isEmpty());
        QCOMPARE(!alive.isNull(), deferred);
        if (deferred) {
            inner->setObjectName(QStringLiteral("still there")); // a freed window would show under ASan
            QTRY_VERIFY(alive.isNull());
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_common_dialogs.moc"
