// Dialogs for tests: records every message text and answers file dialogs from a script.
#pragma once

#include "common/dialogs.h"

#include <QQueue>
#include <QStringList>

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
    QString askFileName(QWidget *, const QString &defaultName, FileDialogMode mode) override
    {
        askedDefaults += defaultName;
        askedModes += mode;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString takeLast() { return messages.isEmpty() ? QString() : messages.takeLast(); }

    QStringList messages;
    QQueue<QString> fileNames; // answers of the file dialogs; empty text or none = cancelled
    QStringList askedDefaults;
    QList<FileDialogMode> askedModes;
    std::function<void(const QString &)> onMessage; // runs while the "modal" message is up
};

} // namespace tb::test
