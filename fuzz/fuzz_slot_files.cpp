// The slot and configuration readers over an arbitrary file: the AIS slot record, the DSC slot
// file and the saved port line with the port list built from it.
#include "ais/slotrecord.h"
#include "dsc/dscslot.h"
#include "launcher/portchoice.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("slot.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const auto record = tb::ais::loadRecord(path, int(tb::ais::positionReportRecord.size()));
    if (record.texts.size() > qsizetype(tb::ais::positionReportRecord.size()))
        std::abort();
    for (const QString &value : record.texts)
        (void)tb::ais::loadedText(value);
    for (const auto symbol : tb::dsc::readSlotFile(path))
        (void)tb::dsc::padSymbol(QString::number(symbol));
    const auto saved = tb::readSavedPortLine(path);
    const tb::PortList list = tb::buildPortList({1, 2, 3, 13, 25}, saved);
    if (list.selected < 0 || list.selected >= list.items.size())
        std::abort();
    return 0;
}
