#include "numbers.h"

#include "common/hexdigit.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tb {

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Walks the text, skipping blanks, tabs and line feeds wherever they stand.
class Cursor
{
public:
    explicit Cursor(QStringView text) : m_text(text) { skip(); }
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
    }
    QStringView m_text;
    qsizetype m_pos = 0;
};

double readHex(Cursor &c)
{
    double value = 0;
    for (int d = hexDigitValue(c.peek().unicode()); d >= 0; d = hexDigitValue(c.peek().unicode())) {
        value = value * 16 + d;
        c.advance();
    }
    // Hex digits only grow the value, so leaving the finite range can only be an overflow.
    return std::isfinite(value) ? value : std::numeric_limits<double>::max();
}

// The power of ten of the leading digit of a clean decimal number ("120" gives 2, "0.05" gives -2,
// "1e-5" gives -5), saturated far beyond any double. Only asked for a number with a nonzero digit.
long long decimalMagnitude(const std::string &clean)
{
    const std::size_t expAt = clean.find('e');
    const std::string mantissa = clean.substr(0, expAt);
    const std::size_t pointAt = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    long long magnitude = first < pointAt ? (long long)(pointAt - first) - 1 : -(long long)(first - pointAt);
    if (expAt != std::string::npos) {
        constexpr long long saturated = 1'000'000'000;
        long long exponent = 0;
        std::size_t i = expAt + 1;
        const bool negative = i < clean.size() && clean[i] == '-';
        if (i < clean.size() && (clean[i] == '-' || clean[i] == '+'))
            ++i;
        for (; i < clean.size(); ++i)
            exponent = std::min(exponent * 10 + (clean[i] - '0'), saturated);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

} // namespace

double readNumber(QStringView text)
{
    Cursor c(text);
    if (c.peek() == u'&') {
        Cursor hex = c;
        hex.advance();
        if (hex.peek() == u'H' || hex.peek() == u'h') {
            hex.advance();
            return readHex(hex);
        }
        return 0;
    }

    // Collect a clean copy of the number and let the standard library do the exact conversion.
    std::string clean;
    if (c.peek() == u'-' || c.peek() == u'+') {
        clean += char(c.peek().unicode());
        c.advance();
    }
    bool digits = false;
    bool point = false;
    for (;;) {
        const QChar ch = c.peek();
        if (ch.unicode() >= u'0' && ch.unicode() <= u'9') {
            clean += char(ch.unicode());
            digits = true;
        } else if (ch == u'.' && !point) {
            clean += '.';
            point = true;
        } else {
            break;
        }
        c.advance();
    }
    if (!digits)
        return 0;

    const QChar e = c.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        Cursor exp = c;
        exp.advance();
        std::string expText = "e";
        if (exp.peek() == u'-' || exp.peek() == u'+') {
            expText += char(exp.peek().unicode());
            exp.advance();
        }
        bool expDigits = false;
        while (exp.peek().unicode() >= u'0' && exp.peek().unicode() <= u'9') {
            expText += char(exp.peek().unicode());
            expDigits = true;
            exp.advance();
        }
        if (expDigits)
            clean += expText;
    }

    if (clean.front() == '+')
        clean.erase(0, 1);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large keeps its sign at the largest finite value; too small is zero. Which one it is
        // follows from where the leading digit stands, not from how the text is written.
        const bool negative = clean.front() == '-';
        if (decimalMagnitude(clean) > 0)
            return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
        return 0;
    }
    return value;
}

std::optional<std::int16_t> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

QString formatNumber(double value)
{
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer, end - buffer);
}

} // namespace tb
