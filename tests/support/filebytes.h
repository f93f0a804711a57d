// Reading and writing whole files in tests, byte for byte.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tb::test {

// A file's bytes; a missing file reads as a marker naming it, so it never equals real content.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "<missing " + path.toUtf8() + ">";
}

inline void writeFileBytes(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qWarning("cannot write %s", qPrintable(path));
}

} // namespace tb::test
