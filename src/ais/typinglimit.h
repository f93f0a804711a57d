// The most characters a user can type into a box. Unlike QLineEdit::maxLength it binds typing
// only: texts that the window sets itself (a load, a split position) go in whole, as the forms
// have always allowed, and the user can still shorten them.
#pragma once

#include <QValidator>

class QLineEdit;

namespace tb::ais {

class TypingLimit final : public QValidator
{
    Q_OBJECT
public:
    TypingLimit(int limit, QLineEdit &box);

    int limit() const { return m_limit; }
    State validate(QString &input, int &pos) const override;

private:
    int m_limit;
    QLineEdit &m_box;
};

// The typing limit of a box; 0 when it has none.
int typingLimit(const QLineEdit &box);

} // namespace tb::ais
