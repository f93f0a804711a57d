// Runs a test in a fresh temporary working directory, where the tool keeps its files and aliases.
#pragma once

#include <QDir>
#include <QTemporaryDir>

namespace tb::test {

class WorkDir
{
public:
    WorkDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~WorkDir() { QDir::setCurrent(m_previous); }
    WorkDir(const WorkDir &) = delete;
    WorkDir &operator=(const WorkDir &) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QDir dir() const { return QDir(m_dir.path()); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace tb::test
