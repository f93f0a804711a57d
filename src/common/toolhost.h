// What a tool window sees of the launcher that opened it.
#pragma once

#include <QString>

namespace tb {

class Dialogs;

class ToolHost
{
public:
    virtual ~ToolHost() = default;
    // The launcher's port text (`txtComport`): a blank and the port number, as listed.
    virtual QString portText() const = 0;
    // Brings the launcher back; with `giveFocus` it also becomes the active window.
    virtual void showLauncher(bool giveFocus) = 0;
    // Empties the active tool marker (`txtLast`).
    virtual void clearToolMarker() = 0;
    virtual Dialogs &dialogs() = 0;
};

} // namespace tb
