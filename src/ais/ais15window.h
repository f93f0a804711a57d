// The interrogation composer `frmComposeAis15`: message 15 asking one station for two messages
// and a second station for one.
#pragma once

#include "ais/aisidcomposer.h"

namespace tb::ais {

class Ais15Window final : public AisIdComposer
{
    Q_OBJECT
public:
    explicit Ais15Window(ToolHost &host, QWidget *parent = nullptr);
};

} // namespace tb::ais
