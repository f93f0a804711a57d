#include "transferframe.h"

namespace tb::ais {

QByteArray transferFrame(const QByteArray &message)
{
    return char(leadByte) + message;
}

QString transferText(const QByteArray &message)
{
    return QString::number(message.size(), 16).toUpper() + QString::fromLatin1(message.toHex().toUpper());
}

QString decimalList(const QByteArray &message)
{
    QString list;
    for (char byte : message)
        list += QLatin1Char(' ') + QString::number(static_cast<unsigned char>(byte));
    return list;
}

QString confirmationText(const QByteArray &message)
{
    return QStringLiteral("Message transfered to the Testbox.\r") + decimalList(message);
}

} // namespace tb::ais
