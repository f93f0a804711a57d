// A stand-in launcher for tests of one tool window: holds the port text, counts the calls.
#pragma once

#include "common/toolhost.h"
#include "scripteddialogs.h"

namespace tb::test {

class TestHost final : public ToolHost
{
public:
    QString portText() const override { return port; }
    void showLauncher(bool giveFocus) override
    {
        ++launcherShown;
        if (giveFocus)
            ++launcherFocused;
    }
    void clearToolMarker() override { ++markerCleared; }
    Dialogs &dialogs() override { return scripted; }

    QString port;
    int launcherShown = 0;
    int launcherFocused = 0;
    int markerCleared = 0;
    ScriptedDialogs scripted;
};

} // namespace tb::test
