#include "position.h"

#include "common/numbers.h"

#include <cmath>

namespace tb::ais {

namespace {

SplitAngle split(double field, double negativeFrom, double modulus)
{
    SplitAngle result {{}, field >= negativeFrom};
    const double value = result.negative ? modulus - field : field;
    Angle &a = result.angle;
    a.degrees = std::floor(value / 600000);
    a.minutes = std::floor((value - 600000 * a.degrees) / 10000);
    a.tenThousandths = std::floor(value - 600000 * a.degrees - 10000 * a.minutes);
    return result;
}

} // namespace

double amount(const Angle &angle)
{
    return (angle.degrees * 60 + angle.minutes) * 10000 + angle.tenThousandths;
}

double latitudeField(double amount, bool south)
{
    return south ? latitudeModulus - amount : amount;
}

double longitudeField(double amount, bool west)
{
    return west ? longitudeModulus - amount : amount;
}

SplitAngle splitLatitude(double field)
{
    return split(field, southFrom, latitudeModulus);
}

SplitAngle splitLongitude(double field)
{
    return split(field, westFrom, longitudeModulus);
}

QString padMinutes(const QString &text)
{
    QString padded = formatNumber(readNumber(text));
    if (padded.size() == 1)
        padded.prepend(QLatin1Char('0'));
    else if (padded.isEmpty())
        padded = QStringLiteral("00");
    return padded;
}

QString padTenThousandths(const QString &text)
{
    QString padded = formatNumber(readNumber(text));
    if (padded.size() == 1)
        padded.prepend(QStringLiteral("000"));
    else if (padded.size() == 2)
        padded.prepend(QStringLiteral("00"));
    else if (padded.size() == 3)
        padded.prepend(QLatin1Char('0'));
    else if (padded.isEmpty())
        padded = QStringLiteral("0000");
    return padded;
}

} // namespace tb::ais
