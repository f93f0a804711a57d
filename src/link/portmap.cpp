#include "portmap.h"

#include <QRegularExpression>

namespace tb {

namespace {

QPair<QString, qlonglong> stemAndNumber(const QString &name)
{
    static const QRegularExpression split(QStringLiteral("^(.*?)(\\d*)$"));
    const auto match = split.match(name.section(QLatin1Char('/'), -1));
    const QString digits = match.captured(2);
    return {match.captured(1), digits.isEmpty() ? -1 : digits.toLongLong()};
}

int familyRank(const QString &stem)
{
    static const QStringList order = {QStringLiteral("ttyS"), QStringLiteral("ttyUSB"), QStringLiteral("ttyACM")};
    const auto index = order.indexOf(stem);
    return index < 0 ? int(order.size()) : int(index);
}

} // namespace

bool PortMap::systemOrderLess(const QString &a, const QString &b)
{
    const auto sa = stemAndNumber(a), sb = stemAndNumber(b);
    const int ra = familyRank(sa.first), rb = familyRank(sb.first);
    if (ra != rb)
        return ra < rb;
    if (sa.first != sb.first)
        return sa.first < sb.first;
    if (sa.second != sb.second)
        return sa.second < sb.second;
    return a < b;
}

} // namespace tb
