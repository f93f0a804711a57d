// The static and voyage data composer `frmComposeAis5`: message 5 typed as numbers, call sign and
// name one six-bit code per box.
#pragma once

#include "ais/aisidcomposer.h"

namespace tb::ais {

class Ais5Window final : public AisIdComposer
{
    Q_OBJECT
public:
    explicit Ais5Window(ToolHost &host, QWidget *parent = nullptr);
};

} // namespace tb::ais
