// Where a DSC call ends and what goes on the wire, and the head labels that follow the format.
#include "dsc/dsccall.h"
#include "dsc/dschead.h"

#include <QTest>

using namespace tb::dsc;

namespace {

// 49 box texts: "00" everywhere except the given ones.
QStringList boxes(const QList<std::pair<int, QString>> &set = {})
{
    QStringList texts(boxCount, QStringLiteral("00"));
    for (const auto &[index, text] : set)
        texts[index] = text;
    return texts;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

} // namespace

class TestDscCall : public QObject
{
    Q_OBJECT
private slots:
    void frame_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QByteArray>("wire");

        QTest::newRow("new window: no end symbol, all 49 go")
            << boxes() << bytes({200}) + QByteArray(49, '\0') + bytes({128});

        QStringList call = boxes({{30, "130"}, {40, "-5"}});
        const QStringList head {"120", "120", "0", "23", "45", "67", "89", "103", "0", "23", "45", "67", "89", "117"};
        for (int i = 0; i < head.size(); ++i)
            call[i] = head[i];
        QTest::newRow("selective call ends after 117")
            << call << bytes({200, 120, 120, 0, 23, 45, 67, 89, 103, 0, 23, 45, 67, 89, 117, 128});

        QTest::newRow("122 ends") << boxes({{0, "5"}, {1, "122"}, {2, "9"}}) << bytes({200, 5, 122, 128});
        QTest::newRow("127 at the last box") << boxes({{47, "1"}, {48, "127"}})
                                             << bytes({200}) + QByteArray(47, '\0') + bytes({1, 127, 128});
        QTest::newRow("130 ends unsent") << boxes({{0, "7"}, {1, "130"}, {2, "117"}}) << bytes({200, 7, 128});
        QTest::newRow("128 first ends unsent") << boxes({{0, "128"}}) << bytes({200, 128});
        QTest::newRow("999 ends unsent") << boxes({{0, "3"}, {1, "999"}}) << bytes({200, 3, 128});
        QTest::newRow("116 and 118 are no end")
            << boxes({{0, "116"}, {1, "118"}, {2, "117"}}) << bytes({200, 116, 118, 117, 128});
        QTest::newRow("negative after the end is never looked at")
            << boxes({{0, "117"}, {5, "-5"}}) << bytes({200, 117, 128});
        QTest::newRow("boxes read as numbers")
            << boxes({{0, " 7x"}, {1, "abc"}, {2, "2.5"}, {3, "1.5"}, {4, "-.4"}, {5, "1E2"}, {6, "&H75"}})
            << bytes({200, 7, 0, 2, 2, 0, 100, 117, 128});
    }
    void frame()
    {
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, wire);
        const auto result = callFrame(texts);
        QVERIFY(std::holds_alternative<QByteArray>(result));
        QCOMPARE(std::get<QByteArray>(result), wire);
    }

    void unsendable_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("value");
        QTest::newRow("negative") << boxes({{13, "-5"}}) << 13 << -5.0;
        QTest::newRow("rounds to negative") << boxes({{0, "-.6"}}) << 0 << -0.6;
        QTest::newRow("beyond 16 bits") << boxes({{3, "9E9"}}) << 3 << 9e9;
        QTest::newRow("beyond 16 bits even past 128") << boxes({{2, "4E4"}}) << 2 << 40000.0;
        QTest::newRow("first of two") << boxes({{4, "-1"}, {9, "-2"}}) << 4 << -1.0;
        QTest::newRow("last box") << boxes({{48, "-99"}}) << 48 << -99.0;
    }
    void unsendable()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, index);
        QFETCH(double, value);
        const auto result = callFrame(texts);
        QVERIFY(std::holds_alternative<UnsendableSymbol>(result));
        QCOMPARE(std::get<UnsendableSymbol>(result).index, index);
        QCOMPARE(std::get<UnsendableSymbol>(result).value, value);
    }

    void headLabels_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("addressShown");
        QTest::addColumn<int>("categoryLeft");
        QTest::addColumn<int>("selfIdLeft");
        QTest::newRow("geographic area") << "103" << false << 1220 << 1800;
        QTest::newRow("all ships") << "116" << false << 1220 << 1800;
        QTest::newRow("selective") << "120" << true << 3140 << 4080;
        QTest::newRow("default") << "00" << true << 3140 << 4080;
        QTest::newRow("leading zero") << "0103" << true << 3140 << 4080;
        QTest::newRow("leading blank") << " 116" << true << 3140 << 4080;
        QTest::newRow("trailing character") << "103x" << true << 3140 << 4080;
        QTest::newRow("empty") << "" << true << 3140 << 4080;
    }
    void headLabels()
    {
        QFETCH(QString, format);
        QFETCH(bool, addressShown);
        QFETCH(int, categoryLeft);
        QFETCH(int, selfIdLeft);
        QCOMPARE(headLabelsFor(format), (HeadLabels {addressShown, categoryLeft, selfIdLeft}));
    }
};

QTEST_GUILESS_MAIN(TestDscCall)
#include "tst_dsc_call.moc"
