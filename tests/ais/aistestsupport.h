// Helpers of the AIS composer tests: an independent reader of message fields, real file failures,
// a real modal message box in place of the scripted one.
#pragma once

#include "filebytes.h"
#include "filesizelimit.h"
#include "scripteddialogs.h"

#include <QByteArray>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>


namespace tb::test {

// A field of a message as an AIS receiver reads it from the bytes: bit n is bit 7 - n % 8 of byte n / 8.
// Written here from the definition, not from the tool's own packing.
inline quint64 readField(const QByteArray &message, int start, int width)
{
    quint64 value = 0;
    for (int n = start; n < start + width; ++n) {
        const auto byte = static_cast<unsigned char>(message.at(n / 8));
        value = (value << 1) | ((byte >> (7 - n % 8)) & 1u);
    }
    return value;
}

inline qint64 readSignedField(const QByteArray &message, int start, int width)
{
    const quint64 raw = readField(message, start, width);
    const quint64 sign = quint64(1) << (width - 1);
    return (raw & sign) ? qint64(raw) - qint64(sign << 1) : qint64(raw);
}

// Lets every scripted message open a real modal message box over `parent`, which takes the
// activation (and so the focus) from the window until it is answered. As on a desktop that hands
// the activation straight back, `parent` is active again before the message returns.
inline void showRealMessageBoxes(ScriptedDialogs &dialogs, QWidget *parent)
{
    dialogs.onMessage = [parent](const QString &text) {
        {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Torvanik TB"), text, QMessageBox::Ok, parent);
            QTimer::singleShot(0, &box, [&box] {
                if (!QTest::qWaitForWindowActive(&box))
                    qWarning("the message box never became active");
                box.accept();
            });
            box.exec();
        }
        parent->activateWindow();
        if (!QTest::qWaitForWindowActive(parent))
            qWarning("the window did not get the activation back");
    };
}

} // namespace tb::test
