// The NMEA composer `frmComposeNMEA`: a sentence body, its checksum, and the transfer.
#pragma once

#include "link/toolwindow.h"

class QLineEdit;

namespace tb {

class NmeaWindow final : public ToolWindow
{
    Q_OBJECT
public:
    explicit NmeaWindow(ToolHost &host, QWidget *parent = nullptr);

private:
    void cmdGenerate_Click();
    void cmdSendLige_Click();

    QLineEdit *m_text = nullptr;
};

} // namespace tb
