#include "dscslot.h"

#include "common/numbers.h"
#include "common/textfiles.h"
#include "dsc/dsccall.h"

namespace tb::dsc {

QString slotFileName(int slot)
{
    return QStringLiteral("DSCData%1.txt").arg(slot);
}

std::optional<QStringList> slotLines(const QStringList &boxTexts)
{
    QStringList lines;
    for (const QString &text : boxTexts) {
        const auto value = roundToInt16(readNumber(text));
        if (!value)
            return std::nullopt;
        lines += QString::number(*value);
    }
    return lines;
}

bool writeSlotFile(const QString &path, const QStringList &boxTexts)
{
    const auto lines = slotLines(boxTexts);
    return lines && replaceFileLines(path, *lines);
}

QList<std::int16_t> readSlotFile(const QString &path)
{
    QList<std::int16_t> values;
    ValueReader reader;
    if (!reader.open(path))
        return values;
    while (values.size() < boxCount) {
        const auto text = reader.next();
        if (!text)
            break;
        // A value without a number reads as 0, as a numeric read of these files always has.
        const auto value = roundToInt16(readNumber(*text));
        if (!value)
            break;
        values += *value;
    }
    return values;
}

QString padSymbol(const QString &text)
{
    const double value = readNumber(text);
    // Negative values keep their text: "0-5" would read back as 0.
    if (value >= 0 && value < 10)
        return QLatin1Char('0') + formatNumber(value);
    return formatNumber(value);
}

} // namespace tb::dsc
