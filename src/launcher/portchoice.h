// The launcher's port list and the configuration file that remembers the chosen port.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tb {

inline const QString configFileName = QStringLiteral("DSCCONFIG.cfg");

struct PortList
{
    QStringList items; // " 1", " 3" …: a blank and the port number
    int selected = -1; // index into items; -1 when the list is empty
};

QString portItemText(int port);

// Lists the present ports in ascending order and selects the one the saved line names. The test is
// a plain substring test and a later match wins, so the highest present port whose item text occurs
// in the line is chosen (a saved " 13" also contains " 1"). Without a saved line, or when nothing
// matches, the first port is selected.
PortList buildPortList(const QList<int> &presentPorts, const std::optional<QString> &savedLine);

// The saved line: the first line of the configuration file, bounded; nothing when it is missing,
// empty or unreadable.
std::optional<QString> readSavedPortLine(const QString &path = configFileName);

// Writes the chosen text as one quoted line, replacing the file only when the write succeeded.
bool writePortChoice(const QString &text, const QString &path = configFileName);

} // namespace tb
