#include "slotrecord.h"

#include "common/numbers.h"
#include "common/textfiles.h"

#include <QRegularExpression>

namespace tb::ais {

QString slotFileName(int slot)
{
    return QStringLiteral("AISData%1.txt").arg(slot);
}

QStringList recordLines(const QStringList &boxTexts)
{
    QStringList lines;
    for (const QString &text : boxTexts)
        lines += formatNumber(readNumber(text));
    return lines;
}

bool saveRecord(const QString &path, const QStringList &boxTexts)
{
    return replaceFileLines(path, recordLines(boxTexts));
}

LoadedRecord loadRecord(const QString &path, int count)
{
    LoadedRecord record {{}, false};
    ValueReader reader;
    if (!reader.open(path))
        return record;
    while (record.texts.size() < count) {
        const auto value = reader.next();
        if (!value)
            return record;
        record.texts += loadedText(*value);
    }
    record.complete = true;
    return record;
}

QString loadedText(const QString &value)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([EeDd][+-]?\d+)?$)"));
    if (number.match(value).hasMatch())
        return formatNumber(readNumber(value));
    return value;
}

} // namespace tb::ais
