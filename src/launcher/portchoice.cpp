#include "portchoice.h"

#include "common/textfiles.h"

namespace tb {

QString portItemText(int port)
{
    return QLatin1Char(' ') + QString::number(port);
}

PortList buildPortList(const QList<int> &presentPorts, const std::optional<QString> &savedLine)
{
    PortList list;
    for (int port : presentPorts) {
        list.items += portItemText(port);
        if (savedLine && savedLine->contains(list.items.constLast(), Qt::CaseSensitive))
            list.selected = int(list.items.size()) - 1;
    }
    if (list.selected < 0 && !list.items.isEmpty())
        list.selected = 0;
    return list;
}

std::optional<QString> readSavedPortLine(const QString &path)
{
    return readFirstLine(path);
}

bool writePortChoice(const QString &text, const QString &path)
{
    // A quote inside the text is written as it stands, not doubled.
    return replaceFileLines(path, {QLatin1Char('"') + text + QLatin1Char('"')});
}

} // namespace tb
