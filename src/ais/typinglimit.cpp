#include "typinglimit.h"

#include <QLineEdit>

namespace tb::ais {

TypingLimit::TypingLimit(int limit, QLineEdit &box) : QValidator(&box), m_limit(limit), m_box(box)
{
}

QValidator::State TypingLimit::validate(QString &input, int &) const
{
    return input.size() <= m_limit || input.size() < m_box.text().size() ? Acceptable : Invalid;
}

int typingLimit(const QLineEdit &box)
{
    const auto *limit = qobject_cast<const TypingLimit *>(box.validator());
    return limit ? limit->limit() : 0;
}

} // namespace tb::ais
