// How the AIS Monitor reads a Testbox line, written out here independently of the simulator so
// that the simulator's lines are checked against the reader's rule rather than against themselves:
// p is the first "$"; byte 1 at p+5, byte k (k >= 2) at p+3k+3 (positions from 1); 54 bytes when
// the first "*" is the line's 166th character, else 21.
#pragma once

#include <QByteArray>

namespace tb::test {

inline QByteArray monitorBytes(const QByteArray &line)
{
    const qsizetype p = line.indexOf('$') + 1;     // 0 when absent
    const qsizetype star = line.indexOf('*') + 1;
    const int count = star == 166 ? 54 : 21;
    QByteArray bytes;
    for (int k = 1; k <= count; ++k) {
        const qsizetype at = (k == 1 ? p + 5 : p + 3 * k + 3) - 1;
        bytes += QByteArray::fromHex(line.mid(at, 2));
    }
    return bytes;
}

} // namespace tb::test
