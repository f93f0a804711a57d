#include "framedescription.h"

#include <QStringList>

#include <cctype>

namespace tb::sim {

namespace {

QString hexList(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

QString decimalList(QByteArrayView bytes)
{
    QStringList values;
    for (char c : bytes)
        values += QString::number(quint8(c));
    return values.join(QLatin1Char(' '));
}

// Printable ASCII as it stands, every other byte as <XX>, so the line shows exactly what came.
QString visibleText(QByteArrayView bytes)
{
    QString out;
    for (char c : bytes) {
        const auto v = quint8(c);
        if (v >= 32 && v < 127)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("<%1>").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString hexValue(quint8 v)
{
    return QString::number(v, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

quint64 bitsOf(QByteArrayView bytes, int first, int width)
{
    quint64 v = 0;
    for (int n = first; n < first + width; ++n)
        v = v << 1 | ((quint8(bytes[n / 8]) >> (7 - n % 8)) & 1U);
    return v;
}

QString describeAis(QByteArrayView message)
{
    if (message.isEmpty())
        return QStringLiteral("AIS  lead 200, no message bytes");
    QString line = QStringLiteral("AIS  lead 200, %1 bytes: %2 | type %3")
                       .arg(message.size())
                       .arg(hexList(message))
                       .arg(bitsOf(message, 0, 6));
    if (message.size() >= 5)
        line += QStringLiteral(", MMSI %1").arg(bitsOf(message, 8, 30));
    else
        line += QStringLiteral(", too short for an MMSI");
    return line;
}

QString describeNmea(const Frame &frame)
{
    QByteArrayView text(frame.bytes);
    text = text.sliced(1);
    if (frame.end == FrameEnd::Terminator)
        text.chop(1);
    const NmeaCheck check = checkNmea(text);
    QString line = QStringLiteral("NMEA $%1 | ").arg(visibleText(text));
    switch (check.state) {
    case ChecksumState::Right:
        line += QStringLiteral("checksum right");
        break;
    case ChecksumState::Wrong:
        line += QStringLiteral("checksum wrong (the body gives %1)").arg(hexValue(check.computed));
        break;
    case ChecksumState::Missing:
        line += QStringLiteral("no checksum (the body gives %1)").arg(hexValue(check.computed));
        break;
    }
    if (frame.end != FrameEnd::Terminator && frame.end != FrameEnd::Overflow)
        line += QStringLiteral(", no NUL at the end");
    return line;
}

} // namespace

NmeaCheck checkNmea(QByteArrayView text)
{
    const qsizetype star = text.indexOf('*');
    const QByteArrayView body = star < 0 ? text : text.first(star);
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    if (star < 0)
        return {ChecksumState::Missing, sum};
    const QByteArrayView given = text.sliced(star + 1);
    bool ok = given.size() >= 1 && given.size() <= 2;
    for (char c : given)
        ok = ok && std::isxdigit(static_cast<unsigned char>(c));
    ok = ok && given.toByteArray().toUInt(nullptr, 16) == sum;
    return {ok ? ChecksumState::Right : ChecksumState::Wrong, sum};
}

QString describeFrame(const Frame &frame)
{
    QString line;
    switch (frame.kind) {
    case FrameKind::Ais:
        line = describeAis(QByteArrayView(frame.bytes).sliced(1));
        break;
    case FrameKind::Dsc: {
        const QByteArrayView symbols = QByteArrayView(frame.bytes).sliced(1, frame.bytes.size() - 2);
        line = symbols.isEmpty() ? QStringLiteral("DSC  lead 200, no symbols, closing 128")
                                 : QStringLiteral("DSC  lead 200, %1 symbols: %2, closing 128")
                                       .arg(symbols.size())
                                       .arg(decimalList(symbols));
        break;
    }
    case FrameKind::Nmea:
        line = describeNmea(frame);
        break;
    case FrameKind::Stray:
        line = QStringLiteral("Stray %1 bytes without a lead byte: %2")
                   .arg(frame.bytes.size())
                   .arg(hexList(frame.bytes));
        break;
    }
    if (frame.end == FrameEnd::Overflow)
        line += QStringLiteral(" | cut at %1 bytes").arg(frame.bytes.size());
    return line;
}

} // namespace tb::sim
