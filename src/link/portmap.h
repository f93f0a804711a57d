// Which serial device is port n (n = 1 to 25), learnt once per probe.
//
// On Windows port n is COMn. On Linux an entry `COMn` in the working directory (a link to a serial
// device or a pseudo-terminal) is port n; otherwise the serial ports that Qt finds, in a stable order
// (ttyS…, ttyUSB…, ttyACM…, then the rest, each by number), are ports 1, 2, 3 …
#pragma once

#include <QMap>
#include <QString>

namespace tb {

class PortMap
{
public:
    static constexpr int firstPort = 1;
    static constexpr int lastPort = 25;

    // Looks at the working directory and the system's serial ports once.
    static PortMap probe();

    bool exists(int port) const { return m_devices.contains(port); }
    // The name to open port n by (an absolute path on Linux), or an empty text when it is absent.
    QString device(int port) const { return m_devices.value(port); }

    // Orders system port names as ports are numbered: ttyS, ttyUSB, ttyACM, the rest, each by number.
    static bool systemOrderLess(const QString &a, const QString &b);

    void set(int port, const QString &device) { m_devices.insert(port, device); }

private:
    QMap<int, QString> m_devices;
};

} // namespace tb
