// Dialogs for tests: records every message text and answers file dialogs from a script.
#pragma once

#include "common/dialogs.h"

#include <QQueue>
#include <QStringList>

#include <functional>

namespace tb::test {

class ScriptedDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &text) override
    {
        messages += text;
        if (onMessage)
            onMessage(text);
    }
    QString askFileName(QWidget *, const QString &title, const QString &defaultName, FileDialogMode mode) override
    {
        askedTitles += title;
        askedDefaults += defaultName;
        askedModes += mode;
        if (onAskFileName)
            onAskFileName(title);
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString takeLast() { return messages.isEmpty() ? QString() : messages.takeLast(); }

    QStringList messages;
    QQueue<QString> fileNames; // answers of the file dialogs; empty text or none = cancelled
    QStringList askedTitles; // empty where the dialog keeps its own
    QStringList askedDefaults;
    QList<FileDialogMode> askedModes;
    std::function<void(const QString &)> onMessage; // runs while the "modal" message is up
    std::function<void(const QString &)> onAskFileName; // runs while the file dialog is up, given its title
};

} // namespace tb::test
