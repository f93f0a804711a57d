// Finding controls by their names, as a test drives the windows.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace tb::test {

// The first top-level window with this object name, or null.
inline QWidget *findWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

// The control of this name in `window`; fails the test when there is none.
template <typename T>
T *control(QWidget *window, const QString &name)
{
    T *found = window ? window->findChild<T *>(name) : nullptr;
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

// Lets queued events (deferred messages, deletions) run.
inline void settle(int rounds = 3)
{
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace tb::test
