// Port numbers on Windows: port n is COMn when the system holds a configuration for COMn. Every
// probe asks for COM1 to COM25 afresh, so the list follows adapters plugged in or pulled.
#include "portmap.h"

#include <windows.h>

#include <vector>

namespace tb {

namespace {

bool systemKnows(const char *name)
{
    // A driver may keep data of its own after the configuration; then the call asks for more room.
    std::vector<BYTE> room(sizeof(COMMCONFIG));
    DWORD size = DWORD(room.size());
    if (GetDefaultCommConfigA(name, reinterpret_cast<COMMCONFIG *>(room.data()), &size))
        return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= room.size())
        return false;
    room.resize(size);
    return GetDefaultCommConfigA(name, reinterpret_cast<COMMCONFIG *>(room.data()), &size);
}

} // namespace

PortMap PortMap::probe()
{
    PortMap map;
    for (int n = firstPort; n <= lastPort; ++n) {
        const QByteArray name = "COM" + QByteArray::number(n);
        if (systemKnows(name.constData()))
            map.set(n, QString::fromLatin1(name));
    }
    return map;
}

} // namespace tb
