// The font the forms draw in, and the size a window takes for its form on a screen of a given
// free size.
#include "common/form.h"

#include <QFont>
#include <QFontInfo>
#include <QTest>

class TestForm : public QObject
{
    Q_OBJECT
private slots:
    // The forms' sizes were measured in DejaVu Sans at 8 points, which Debian gives as its sans
    // serif and the Windows build loads from the file beside the program.
    void formsDrawInDejaVuSans()
    {
        const QFontInfo face(tb::formFont());
        QCOMPARE(face.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(face.pointSize(), 8);
    }

    void windowSize_data()
    {
        QTest::addColumn<QSize>("form");
        QTest::addColumn<QSize>("room");
        QTest::addColumn<QSize>("window");
        const int bar = 14;
        QTest::newRow("fits: the form as it is") << QSize(834, 734) << QSize(1280, 1024) << QSize(834, 734);
        QTest::newRow("fits exactly") << QSize(834, 734) << QSize(834, 734) << QSize(834, 734);
        QTest::newRow("too high: a bar beside it") << QSize(834, 734) << QSize(1280, 480) << QSize(834 + bar, 480);
        QTest::newRow("too wide: a bar below it") << QSize(1180, 330) << QSize(853, 683) << QSize(853, 330 + bar);
        QTest::newRow("too wide and high") << QSize(1180, 734) << QSize(853, 480) << QSize(853, 480);
        QTest::newRow("too high, and then the bar makes it too wide")
            << QSize(840, 734) << QSize(853, 480) << QSize(853, 480);
        QTest::newRow("too wide, and then the bar makes it too high")
            << QSize(1040, 300) << QSize(853, 310) << QSize(853, 310);
    }
    void windowSize()
    {
        QFETCH(QSize, form);
        QFETCH(QSize, room);
        QFETCH(QSize, window);
        QCOMPARE(tb::windowSizeFor(form, room, 14), window);
    }
};

QTEST_MAIN(TestForm)
#include "tst_common_form.moc"
