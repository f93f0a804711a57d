#include "nmeasentence.h"

#include "common/textfiles.h"

namespace tb::nmea {

QString checksumText(const QByteArray &body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return QString::number(sum, 16).toUpper();
}

std::variant<QString, TextError> withChecksum(const QString &text)
{
    if (text.size() > maxBodyForCheck)
        return TextError::TooLong;
    const QString body = text.section(QLatin1Char('*'), 0, 0);
    const auto bytes = toEightBit(body);
    if (!bytes)
        return TextError::NotEightBit;
    return body + QLatin1Char('*') + checksumText(*bytes);
}

std::variant<QByteArray, TextError> transferFrame(const QString &text)
{
    if (text.size() > maxTextForTransfer)
        return TextError::TooLong;
    const auto bytes = toEightBit(text);
    if (!bytes)
        return TextError::NotEightBit;
    return '$' + *bytes + '\0';
}

} // namespace tb::nmea
