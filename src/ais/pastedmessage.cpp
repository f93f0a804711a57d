#include "pastedmessage.h"

#include <algorithm>

namespace tb::ais {

namespace {

bool bitAt(const monitor::AisMessage &message, int bit)
{
    return bit < message.bitCount && (quint8(message.bytes[bit / 8]) >> (7 - bit % 8)) & 1;
}

// The field in decimal, however wide (a destination is 120 bits): doubling the digits per bit.
QString decimal(const monitor::AisMessage &message, const FieldSpec &field, bool negate)
{
    QByteArray digits("0"); // least significant first
    const auto addBit = [&digits](bool one) {
        int carry = one;
        for (char &d : digits) {
            const int v = (d - '0') * 2 + carry;
            d = char('0' + v % 10);
            carry = v / 10;
        }
        if (carry)
            digits += char('0' + carry);
    };
    // A negative two's complement value is written as the magnitude: its bits inverted, plus one.
    for (int i = 0; i < field.width; ++i)
        addBit(bitAt(message, field.start + i) != negate);
    if (negate) {
        int carry = 1;
        for (char &d : digits) {
            const int v = d - '0' + carry;
            d = char('0' + v % 10);
            carry = v / 10;
        }
        if (carry)
            digits += '1';
    }
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    std::reverse(digits.begin(), digits.end());
    return QString::fromLatin1(negate ? "-" + digits : digits);
}

} // namespace

QList<BoxText> fieldTexts(const monitor::AisMessage &message, const MessageLayout &layout)
{
    QList<BoxText> texts;
    for (const FieldSpec &field : layout.fields) {
        const bool negative = field.encoding == Encoding::TwosComplement && bitAt(message, field.start);
        texts += BoxText {field.box, decimal(message, field, negative)};
    }
    return texts;
}

std::variant<QList<BoxText>, PasteRefusal> pastedBoxes(const QString &text, const MessageLayout &layout,
                                                       std::span<const int> types)
{
    monitor::AivdmReader reader;
    QList<monitor::AisMessage> messages;
    bool anySentence = false;
    const QStringList lines = QString(text).replace(u'\r', u'\n').split(u'\n');
    int lineNumber = 0;
    for (const QString &line : lines) {
        ++lineNumber;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const monitor::SentenceResult read = reader.read(trimmed.toLatin1());
        if (read.cutGroup)
            return PasteRefusal {PasteRefusal::Reason::Unfinished};
        switch (read.status) {
        case monitor::SentenceStatus::Message:
            messages += read.message;
            anySentence = true;
            continue;
        case monitor::SentenceStatus::Fragment:
            anySentence = true;
            continue;
        case monitor::SentenceStatus::NotASentence:
            // Text around the sentences (a log's time stamps, a mail) is no reason to refuse.
            if (!trimmed.contains(u'!'))
                continue;
            [[fallthrough]];
        default:
            return PasteRefusal {PasteRefusal::Reason::BadSentence, lineNumber, read.status};
        }
    }
    if (reader.finish() > 0)
        return PasteRefusal {PasteRefusal::Reason::Unfinished};
    if (!anySentence)
        return PasteRefusal {PasteRefusal::Reason::NoSentences};
    if (messages.size() > 1)
        return PasteRefusal {PasteRefusal::Reason::SeveralMessages, 0, {}, int(messages.size())};
    const monitor::AisMessage &message = messages.front();
    if (std::find(types.begin(), types.end(), message.type()) == types.end())
        return PasteRefusal {PasteRefusal::Reason::WrongType, 0, {}, 0, message.type()};
    return fieldTexts(message, layout);
}

} // namespace tb::ais
