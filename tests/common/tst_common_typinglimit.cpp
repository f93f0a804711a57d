#include "common/typinglimit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

class TestTypingLimit : public QObject
{
    Q_OBJECT
private slots:
    void typingStopsAtTheLimitButCodeDoesNot()
    {
        QLineEdit box;
        tb::limitTyping(&box, 3);
        box.show();
        QTest::keyClicks(&box, "12345");
        QCOMPARE(box.text(), QString("123"));

        box.setText("1000"); // a loaded value stays whole
        QCOMPARE(box.text(), QString("1000"));
        box.end(false);
        QTest::keyClick(&box, '7');
        QCOMPARE(box.text(), QString("1000"));
        QTest::keyClick(&box, Qt::Key_Backspace); // and can be shortened a character at a time
        QCOMPARE(box.text(), QString("100"));
        QTest::keyClick(&box, '9');
        QCOMPARE(box.text(), QString("100"));

        // A paste brings what still fits.
        box.clear();
        QGuiApplication::clipboard()->setText("98765");
        QTest::keySequence(&box, QKeySequence::Paste);
        QCOMPARE(box.text(), QString("987"));
    }
};

QTEST_MAIN(TestTypingLimit)
#include "tst_common_typinglimit.moc"
