#include "slotrecord.h"

#include "common/numbers.h"
#include "common/textfiles.h"

#include <QRegularExpression>
#include <QSaveFile>

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
    // Not replaceFileLines: with Qt 6.4 its QSaveFile::commit() does not see a write that fails
    // while the file is closed (a full disk), and puts the cut file in place. Flushing first does.
    QByteArray data;
    for (const QString &line : recordLines(boxTexts))
        data += line.toLatin1() + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
