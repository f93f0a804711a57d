#include "aivdm.h"

#include <array>

namespace tb::monitor {

namespace {

// The types of one length; 0 for a type whose length varies.
constexpr std::array<int, 28> ownBitCounts = {
    0, 168, 168, 168, 168, 424, 0, 0, 0, 168, 72, 168, 0, 0, //  0 to 13
    0, 0,   0,   0,   168, 312, 0, 0, 168, 160, 0, 0, 0, 96, // 14 to 27
};

constexpr char hexDigits[] = "0123456789ABCDEF";

char armour(int code)
{
    return char(code < 40 ? code + 48 : code + 56);
}

// The six-bit value of an armour character; -1 outside the armour.
int unarmour(char c)
{
    const int v = quint8(c);
    if (v >= 48 && v <= 87)
        return v - 48;
    if (v >= 96 && v <= 119)
        return v - 56;
    return -1;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

quint8 checksum(QByteArrayView text)
{
    quint8 sum = 0;
    for (char c : text)
        sum ^= quint8(c);
    return sum;
}

// Whether `text` ends in "*hh" with the checksum of what comes before it.
bool checksumRight(QByteArrayView text, qsizetype star)
{
    if (star < 0 || star != text.size() - 3)
        return false;
    const int high = hexValue(text[star + 1]);
    const int low = hexValue(text[star + 2]);
    return high >= 0 && low >= 0 && checksum(text.first(star)) == quint8(high * 16 + low);
}

// The six-bit code starting at `first` of the message, zero past its last bit.
int sixBits(const AisMessage &message, int first)
{
    int code = 0;
    for (int bit = first; bit < first + 6; ++bit) {
        const bool set = bit < message.bitCount && (quint8(message.bytes[bit / 8]) >> (7 - bit % 8)) & 1;
        code = code << 1 | int(set);
    }
    return code;
}

void appendSentence(QByteArray &out, char total, char number, char sequenceId, const QByteArray &payload, int fill)
{
    const qsizetype start = out.size();
    out += "!AIVDM,";
    out += total;
    out += ',';
    out += number;
    out += ',';
    if (sequenceId)
        out += sequenceId;
    out += ",A,";
    out += payload;
    out += ',';
    out += char('0' + fill);
    const quint8 sum = checksum(QByteArrayView(out).sliced(start + 1));
    out += '*';
    out += hexDigits[sum >> 4];
    out += hexDigits[sum & 15];
    out += "\r\n";
}

} // namespace

int ownBitCount(int type)
{
    return type >= 0 && type < int(ownBitCounts.size()) ? ownBitCounts[std::size_t(type)] : 0;
}

int messageBitCount(int type, int availableBits)
{
    const int own = ownBitCount(type);
    return own > 0 ? std::min(own, availableBits) : availableBits;
}

std::optional<AisMessage> lineMessage(const ByteTable &bytes, int placeCount)
{
    int available = std::min(placeCount, longLineMessageBytes);
    if (available < 1 || bytes.strict(1) < 0)
        return std::nullopt;
    const int type = bytes.strict(1) >> 2;
    // A message of varying length ends where the line's "*" stands, if that comes first.
    if (ownBitCount(type) == 0) {
        for (int k = 2; k <= available; ++k) {
            if (bytes.strict(k) < 0 && bytes.entry(k).startsWith(u"&H*")) {
                available = k - 1;
                break;
            }
        }
    }
    AisMessage message;
    message.bitCount = messageBitCount(type, available * 8);
    const int byteCount = (message.bitCount + 7) / 8;
    message.bytes.resize(byteCount);
    for (int k = 1; k <= byteCount; ++k) {
        const int value = bytes.strict(k);
        if (value < 0)
            return std::nullopt;
        message.bytes[k - 1] = char(value);
    }
    if (const int rest = message.bitCount % 8)
        message.bytes[byteCount - 1] = char(quint8(message.bytes[byteCount - 1]) & (0xFF00 >> rest));
    return message;
}

bool AivdmWriter::write(const AisMessage &message, QByteArray &out)
{
    const int bitCount = std::min<int>(message.bitCount, int(message.bytes.size()) * 8);
    if (bitCount <= 0)
        return false;
    const int characters = (bitCount + 5) / 6;
    const int fill = characters * 6 - bitCount;
    // "!AIVDM,1,1,,A," and ",0*hh" CR LF leave 61 characters; a fragment's sequence id takes one.
    constexpr int single = maxSentenceLength - 21;
    constexpr int fragment = single - 1;
    const int parts = characters <= single ? 1 : (characters + fragment - 1) / fragment;
    if (parts > maxFragments)
        return false;
    AisMessage bits = message;
    bits.bitCount = bitCount;
    QByteArray payload;
    payload.reserve(single);
    const char sequenceId = parts > 1 ? char('0' + m_nextSequenceId) : '\0';
    if (parts > 1)
        m_nextSequenceId = (m_nextSequenceId + 1) % 10;
    int code = 0;
    for (int part = 1; part <= parts; ++part) {
        payload.clear();
        const int end = parts == 1 ? characters : std::min(characters, part * fragment);
        for (; code < end; ++code)
            payload += armour(sixBits(bits, code * 6));
        appendSentence(out, char('0' + parts), char('0' + part), sequenceId, payload, part == parts ? fill : 0);
    }
    return true;
}

QByteArray AivdmWriter::sentences(const AisMessage &message)
{
    QByteArray out;
    write(message, out);
    return out;
}

QString problemText(SentenceStatus status)
{
    switch (status) {
    case SentenceStatus::Message:
    case SentenceStatus::Fragment: return {};
    case SentenceStatus::NotASentence: return QStringLiteral("not an !AIVDM or !AIVDO sentence");
    case SentenceStatus::TooLong: return QStringLiteral("the sentence is too long");
    case SentenceStatus::BadChecksum: return QStringLiteral("the checksum is missing or wrong");
    case SentenceStatus::BadField: return QStringLiteral("a field of the sentence is malformed");
    case SentenceStatus::BadArmour: return QStringLiteral("the payload holds a character outside the six-bit armour");
    case SentenceStatus::MissingFragment: return QStringLiteral("a fragment of the message is missing");
    case SentenceStatus::OutOfOrder: return QStringLiteral("a fragment came out of order");
    }
    return {};
}

int AivdmReader::dropGroup()
{
    const int dropped = m_group ? m_group->received : 0;
    m_group.reset();
    m_droppedFragments += dropped;
    return dropped;
}

int AivdmReader::finish()
{
    return dropGroup();
}

SentenceResult AivdmReader::read(QByteArrayView line)
{
    SentenceResult result;
    if (line.size() > maxLineLength) {
        result.status = SentenceStatus::TooLong;
        return result;
    }
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.chop(1);

    if (line.startsWith('\\')) {
        const qsizetype end = line.indexOf('\\', 1);
        if (end < 0)
            return result; // NotASentence
        const QByteArrayView tags = line.sliced(1, end - 1);
        if (!checksumRight(tags, tags.lastIndexOf('*'))) {
            result.status = SentenceStatus::BadChecksum;
            return result;
        }
        line = line.sliced(end + 1);
    }

    const qsizetype comma = line.indexOf(',');
    const QByteArrayView address = comma > 0 ? line.sliced(1, comma - 1) : QByteArrayView();
    const auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    if (!line.startsWith('!') || address.size() != 5 || !isUpper(address[0]) || !isUpper(address[1])
        || !(address.endsWith("VDM") || address.endsWith("VDO")))
        return result; // NotASentence

    const QByteArrayView text = line.sliced(1);
    const qsizetype star = text.lastIndexOf('*');
    if (!checksumRight(text, star)) {
        result.status = SentenceStatus::BadChecksum;
        return result;
    }

    // address, total, number, sequence id, channel, payload, fill
    std::array<QByteArrayView, 7> fields;
    qsizetype from = 0;
    std::size_t count = 0;
    const QByteArrayView body = text.first(star);
    for (;;) {
        const qsizetype next = body.indexOf(',', from);
        if (count == fields.size()) {
            result.status = SentenceStatus::BadField;
            return result;
        }
        fields[count++] = body.sliced(from, (next < 0 ? body.size() : next) - from);
        if (next < 0)
            break;
        from = next + 1;
    }
    const auto digit = [](QByteArrayView f, char low, char high) {
        return f.size() == 1 && f[0] >= low && f[0] <= high ? f[0] : '\0';
    };
    const char total = digit(fields[1], '1', '9');
    const char number = digit(fields[2], '1', total);
    const char sequenceId = fields[3].isEmpty() ? '-' : digit(fields[3], '0', '9');
    const char fill = fields[6].isEmpty() ? '0' : digit(fields[6], '0', '5');
    if (count != fields.size() || !total || !number || !sequenceId || !fill || fields[4].size() > 1) {
        result.status = SentenceStatus::BadField;
        return result;
    }
    QByteArray codes;
    codes.reserve(fields[5].size());
    for (char c : fields[5]) {
        const int code = unarmour(c);
        if (code < 0) {
            result.status = SentenceStatus::BadArmour;
            return result;
        }
        codes += char(code);
    }

    const bool sameGroup = m_group && m_group->total == total && m_group->sequenceId == sequenceId
                           && m_group->channel == fields[4] && m_group->address == address;
    if (m_group && (!sameGroup || number == '1')) {
        result.droppedFragments = dropGroup();
        result.cutGroup = true;
    }
    if (m_group) {
        const int expected = m_group->received + 1;
        if (number - '0' > expected) {
            result.droppedFragments += dropGroup() + 1;
            m_droppedFragments += 1;
            result.status = SentenceStatus::MissingFragment;
            return result;
        }
        if (number - '0' < expected) {
            result.droppedFragments += dropGroup() + 1;
            m_droppedFragments += 1;
            result.status = SentenceStatus::OutOfOrder;
            return result;
        }
    } else if (number != '1') {
        result.droppedFragments += 1;
        m_droppedFragments += 1;
        result.status = SentenceStatus::OutOfOrder;
        return result;
    } else {
        m_group = Group {address.toByteArray(), total, sequenceId, fields[4].toByteArray(), 0, {}};
    }
    m_group->received += 1;
    m_group->codes += codes;
    if (number != total) {
        result.status = SentenceStatus::Fragment;
        return result;
    }

    // Fill bits count on the last fragment only.
    const Group group = std::move(*m_group);
    m_group.reset();
    const int bitCount = int(group.codes.size()) * 6 - (fill - '0');
    if (bitCount <= 0) {
        result.droppedFragments += group.received;
        m_droppedFragments += group.received;
        result.status = SentenceStatus::BadField;
        return result;
    }
    result.message.bitCount = bitCount;
    result.message.bytes = QByteArray((bitCount + 7) / 8, '\0');
    for (int bit = 0; bit < bitCount; ++bit)
        if ((quint8(group.codes[bit / 6]) >> (5 - bit % 6)) & 1)
            result.message.bytes[bit / 8] = char(quint8(result.message.bytes[bit / 8]) | (0x80 >> (bit % 8)));
    result.status = SentenceStatus::Message;
    return result;
}

} // namespace tb::monitor
