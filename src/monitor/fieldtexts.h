// How decoded values are written for the panes and the saved text: plain numbers, numbers with
// tenths in the user's decimal separator, two-digit date parts, degrees and minutes, six-bit text.
#pragma once

#include "monitor/bytetable.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tb::monitor {

// The text of one decoded field, or the failure of a strict reading. Field texts are short (26
// characters at most), so they are put together in place; a history cell takes one over into the
// memory it already has, which saves most of what decoding a line would otherwise spend on
// allocating.
class FieldText
{
public:
    static constexpr int capacity = 32;

    FieldText() = default;
    FieldText(const char *latin1) { add(latin1); }
    FieldText(const FieldText &other) : m_size(other.m_size), m_failed(other.m_failed)
    {
        copyText(other.m_text, m_size, m_text);
    }
    FieldText &operator=(const FieldText &other)
    {
        m_size = other.m_size;
        m_failed = other.m_failed;
        copyText(other.m_text, m_size, m_text);
        return *this;
    }

    // What a decoder gives when a strict byte reading failed.
    static FieldText failure()
    {
        FieldText text;
        text.fail();
        return text;
    }
    void fail() { m_failed = true; }
    bool ok() const { return !m_failed; }

    FieldText &number(std::uint32_t value);
    // `width` digits with leading zeros; the value has no more.
    FieldText &digits(std::uint32_t value, int width);
    FieldText &add(QChar c)
    {
        if (m_size < capacity)
            m_text[m_size++] = c.unicode();
        return *this;
    }
    FieldText &add(const char *latin1)
    {
        while (*latin1)
            add(QChar(uchar(*latin1++)));
        return *this;
    }
    FieldText &add(const FieldText &text)
    {
        for (QChar c : text.view())
            add(c);
        return *this;
    }

    QStringView view() const { return QStringView(m_text, m_size); }
    QString toString() const { return view().toString(); }
    operator QString() const { return toString(); }
    // Makes `target` this text, in its own memory where that is large enough.
    void assignTo(QString &target) const;

    friend bool operator==(const FieldText &a, const FieldText &b) { return a.view() == b.view(); }
    friend bool operator==(const FieldText &a, const QString &b) { return a.view() == b; }

private:
    // A character at a time: the text was just written that way, and a wide block copy would
    // wait for those writes to land (a store-forwarding stall that cost a fifth of the decoding
    // time). The volatile read keeps the compiler from making the loop a block copy.
    static void copyText(const char16_t *from, int size, char16_t *to)
    {
        const volatile char16_t *source = from;
        for (int i = 0; i < size; ++i)
            to[i] = source[i];
    }

    char16_t m_text[capacity];
    int m_size = 0;
    bool m_failed = false;
};

// A value that stands for "not available" and the text shown instead.
struct NotAvailable
{
    std::uint32_t value;
    const char *text;
};

// The user's decimal separator where it is one 8-bit character (the saved text is 8-bit), else ".".
QChar userDecimalSeparator();

FieldText numberText(std::uint32_t value);
// raw / 10, the fraction only when there is one: 12.3, 10, 0.5 (with "," when that is the separator).
FieldText tenthsText(std::uint32_t raw, QChar decimalSeparator);
FieldText numberText(std::uint32_t raw, std::optional<NotAvailable> na);
FieldText tenthsText(std::uint32_t raw, NotAvailable na, QChar decimalSeparator);
// Date and time parts: "NA" for the not-available value, a leading "0" below 10.
FieldText twoDigitText(std::uint32_t value, std::uint32_t notAvailable);

// A latitude or longitude in ten-thousandths of a minute, two's complement over its width.
struct PositionField
{
    StrictField bits;
    std::uint32_t notAvailable;
    std::uint32_t negativeFrom;
    std::uint32_t complement;
    bool longitude;
};

// 57°03,0001'N: degrees, degree sign, two-digit minutes, "," and four-digit ten-thousandths.
// The "," is fixed whatever the user's separator; stored texts have always looked like this.
FieldText positionText(std::uint32_t value, const PositionField &field);
FieldText decodePosition(const ByteTable &bytes, const PositionField &field);

// The monitor's own six-bit alphabet. It differs from the usual AIS table in three places
// (code 0 and 39 are blanks, 28 is "|"); saved texts and users rely on them.
inline constexpr char16_t sixBitTable[] = u" ABCDEFGHIJKLMNOPQRSTUVWXYZ[|]^_ !\"#$%& ()*+,-./0123456789:;<=>?";
static_assert(sizeof sixBitTable / sizeof sixBitTable[0] == 65);

QChar sixBitChar(int code);

// `count` six-bit characters from bit `first` on; a failure when a strict byte does not read.
FieldText sixBitText(const ByteTable &bytes, int first, int count, std::array<int, 3> strictBytes = {});

} // namespace tb::monitor
