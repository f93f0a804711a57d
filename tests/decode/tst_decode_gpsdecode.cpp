// Our !AIVDM sentences checked against the usual decoder: gpsdecode -u (Debian's gpsd-clients) on
// `testbox-decode --format aivdm` of the benchmark's message mix gives, message by message, the
// field values `testbox-decode --format json` shows for the same Testbox lines.
#include "workdir.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace tb::test;

namespace {

QByteArray run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return process.readAllStandardOutput();
}

QList<QJsonObject> objects(const QByteArray &lines)
{
    QList<QJsonObject> list;
    for (const QByteArray &line : lines.split('\n'))
        if (!line.trimmed().isEmpty())
            list += QJsonDocument::fromJson(line).object();
    return list;
}

// "57°03,0001'N" as the signed 1/10000 minutes gpsdecode -u gives.
qint64 angle(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+)\u00B0(\\d\\d),(\\d\\d\\d\\d)'([NSEW])$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::numeric_limits<qint64>::min();
    const qint64 value = m.captured(1).toLongLong() * 600000 + m.captured(2).toLongLong() * 10000 + m.captured(3).toLongLong();
    return m.captured(4) == u"S" || m.captured(4) == u"W" ? -value : value;
}

// A number in tenths ("10.2"), or the value gpsd has for "not available".
qint64 tenths(const QString &text, qint64 notAvailable)
{
    return text == u"Na" ? notAvailable : qRound64(text.toDouble() * 10);
}

qint64 number(const QString &text, qint64 notAvailable = -1)
{
    return text == u"Na" ? notAvailable : text.toLongLong();
}

// The monitor's six-bit alphabet has a blank for "@" and "'" and "|" for "\"; gpsd drops the
// trailing "@" and blanks.
QString sixBitText(QString gpsd)
{
    return gpsd.replace(u'@', u' ').replace(u'\'', u' ').replace(u'\\', u'|');
}

QString trimmedEnd(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

// Each field of ours beside gpsd's value for it, as texts.
QList<std::tuple<QString, QString, QString>> pairs(const QJsonObject &ours, const QJsonObject &gpsd)
{
    const auto s = [&](const char *key) { return ours.value(QLatin1String(key)).toString(); };
    const auto g = [&](const char *key) { return gpsd.value(QLatin1String(key)).toVariant().toLongLong(); };
    const auto gb = [&](const char *key) { return gpsd.value(QLatin1String(key)).toBool(); };
    const auto n = [](qint64 v) { return QString::number(v); };
    QList<std::tuple<QString, QString, QString>> p;
    const auto add = [&p](const char *name, const QString &a, const QString &b) { p += {QString::fromLatin1(name), a, b}; };

    add("mmsi", s("mmsi"), n(g("mmsi")));
    add("type", s("msgId"), n(g("type")));
    add("repeat", s("repeat"), n(g("repeat")));
    const int type = s("msgId").toInt();
    switch (type) {
    case 1:
    case 2:
    case 3:
        add("status", s("navStatus"), n(g("status")));
        add("turn", n(number(s("rot"), 128)), n(g("turn") & 255)); // -128 is "not available"
        add("speed", n(tenths(s("sog"), 1023)), n(g("speed")));
        add("accuracy", n(s("posAcc") == u"High"), n(gb("accuracy")));
        add("lon", n(angle(s("lon"))), n(g("lon")));
        add("lat", n(angle(s("lat"))), n(g("lat")));
        add("course", n(tenths(s("cog"), 3600)), n(g("course")));
        add("heading", n(number(s("heading"), 511)), n(g("heading")));
        add("second", s("timeStamp"), n(g("second")));
        add("raim", n(s("raim") == u"In use"), n(gb("raim")));
        add("radio", s("commState"), n(g("radio")));
        break;
    case 18:
        add("speed", n(tenths(s("sog"), 1023)), n(g("speed")));
        add("accuracy", n(s("posAcc") == u"High"), n(gb("accuracy")));
        add("lon", n(angle(s("lon"))), n(g("lon")));
        add("lat", n(angle(s("lat"))), n(g("lat")));
        add("course", n(tenths(s("cog"), 3600)), n(g("course")));
        add("heading", n(number(s("heading"), 511)), n(g("heading")));
        // The monitor's "RAIM" of a message 18 is bit 148, the communication state selector that
        // gpsd puts on top of its 20-bit radio field.
        add("radio selector", n(s("raim") == u"In use"), n((g("radio") >> 19) & 1));
        add("radio", s("commState"), n(g("radio") & 0x7FFFF));
        break;
    case 4:
    case 11:
        add("timestamp", s("utcYear") + u'-' + s("utcMonthDay") + u'T' + s("utcTime") + u'Z',
            gpsd.value(QLatin1String("timestamp")).toString());
        add("accuracy", n(s("posAcc") == u"High"), n(gb("accuracy")));
        add("lon", n(angle(s("lon"))), n(g("lon")));
        add("lat", n(angle(s("lat"))), n(g("lat")));
        add("epfd", s("fixDevice"), n(g("epfd")));
        add("raim", n(s("raim") == u"In use"), n(gb("raim")));
        add("radio", s("commState"), n(g("radio")));
        break;
    case 5:
        add("ais_version", s("aisVersion"), n(g("ais_version")));
        add("imo", s("imoNumber"), n(g("imo")));
        add("callsign", trimmedEnd(s("callSign")), sixBitText(gpsd.value(QLatin1String("callsign")).toString()));
        add("shipname", trimmedEnd(s("shipName")), sixBitText(gpsd.value(QLatin1String("shipname")).toString()));
        add("shiptype", s("shipType"), n(g("shiptype")));
        add("dimension", s("dimension"),
            QStringLiteral("A:%1m B:%2m C:%3m D:%4m").arg(g("to_bow")).arg(g("to_stern")).arg(g("to_port")).arg(g("to_starboard")));
        add("destination", trimmedEnd(s("destination")), sixBitText(gpsd.value(QLatin1String("destination")).toString()));
        add("dte", s("dte"), n(g("dte")));
        break;
    case 14:
        // The monitor shows the first 12 characters.
        add("text", trimmedEnd(s("safetyText")), trimmedEnd(sixBitText(gpsd.value(QLatin1String("text")).toString()).left(12)));
        break;
    default:
        add("a type of the mix", n(type), QString());
    }
    return p;
}

} // namespace

class TestDecodeGpsdecode : public QObject
{
    Q_OBJECT
private slots:
    void sameFieldsAsGpsdecode()
    {
        const QString gpsdecode = QStandardPaths::findExecutable(QStringLiteral("gpsdecode"));
        if (gpsdecode.isEmpty())
            QSKIP("gpsdecode is missing (Debian's gpsd-clients; scripts/setup installs it)");
        WorkDir work;
        const QString dump = work.file(QStringLiteral("mix.txt"));
        QCOMPARE(QProcess::execute(QStringLiteral(TB_BENCHINPUT), {QStringLiteral("3000"), dump}), 0);
        const QByteArray sentences = run(QStringLiteral(TB_DECODE), {QStringLiteral("--format"), QStringLiteral("aivdm"), dump});
        const QList<QJsonObject> ours = objects(run(QStringLiteral(TB_DECODE), {QStringLiteral("--format"), QStringLiteral("json"), dump}));
        const QList<QJsonObject> theirs = objects(run(gpsdecode, {QStringLiteral("-u")}, sentences));
        QCOMPARE(ours.size(), 3000);
        QCOMPARE(theirs.size(), ours.size());
        QSet<int> types;
        for (qsizetype i = 0; i < ours.size(); ++i) {
            types += ours[i].value(QLatin1String("msgId")).toString().toInt();
            for (const auto &[field, a, b] : pairs(ours[i], theirs[i]))
                QVERIFY2(a == b, qPrintable(QStringLiteral("message %1, %2: ours %3, gpsdecode %4").arg(i + 1).arg(field, a, b)));
        }
        QCOMPARE(types, (QSet<int> {1, 2, 3, 4, 5, 11, 14, 18}));
    }
};

QTEST_GUILESS_MAIN(TestDecodeGpsdecode)
#include "tst_decode_gpsdecode.moc"
