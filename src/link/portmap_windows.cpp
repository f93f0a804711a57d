// Port numbers on Windows: port n is COMn, present when the system lists it.
#include "portmap.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

namespace tb {

PortMap PortMap::probe()
{
    PortMap map;
    static const QRegularExpression com(QStringLiteral("^COM(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        const auto match = com.match(info.portName());
        const int n = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (n >= firstPort && n <= lastPort)
            map.set(n, info.portName());
    }
    return map;
}

} // namespace tb
