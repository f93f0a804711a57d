// Port numbers on Linux: the one place that asks the operating system about device files.
#include "portmap.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

#include <sys/stat.h>

namespace tb {

namespace {

// An alias only counts when it leads to a character device (a serial port or a pseudo-terminal).
bool leadsToTerminal(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISCHR(info.st_mode);
}

} // namespace

PortMap PortMap::probe()
{
    PortMap map;
    QStringList system;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        system += info.systemLocation();
    std::sort(system.begin(), system.end(), &PortMap::systemOrderLess);
    for (int i = 0; i < system.size() && firstPort + i <= lastPort; ++i)
        map.set(firstPort + i, system[i]);

    const QDir here = QDir::current();
    for (int n = firstPort; n <= lastPort; ++n) {
        const QString alias = here.absoluteFilePath(QStringLiteral("COM%1").arg(n));
        const QFileInfo entry(alias);
        if (!entry.exists() && !entry.isSymLink())
            continue;
        if (leadsToTerminal(alias))
            map.set(n, alias);
        else
            map.m_devices.remove(n); // a broken alias still hides the system port of that number
    }
    return map;
}

} // namespace tb
