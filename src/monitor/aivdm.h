// Standard AIS sentences, both ways: the message a Testbox line carries as the !AIVDM sentences
// of the same bits (for chart plotters, gpsd, files), and !AIVDM/!AIVDO sentences back into
// message bits (for the simulator and the composers' paste).
//
// A Testbox line gives whole bytes only, so a message's length is taken from its type where
// ITU-R M.1371 fixes one; a type of varying length keeps every byte of the line up to its "*",
// the zero padding of the last byte included. The reader keeps at most one unfinished fragment group, so its memory is
// bounded whatever it is fed.
#pragma once

#include "monitor/bytetable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tb::monitor {

struct AisMessage
{
    QByteArray bytes; // (bitCount + 7) / 8 bytes; the bits past bitCount are zero
    int bitCount = 0;
    int type() const { return bytes.isEmpty() ? 0 : quint8(bytes[0]) >> 2; }
    bool operator==(const AisMessage &) const = default;
};

// The message bytes of a long Testbox line: its 54th byte place holds the "*".
inline constexpr int longLineMessageBytes = 53;

// The bits a message of `type` has in a line of `availableBits`: the type's own length where it
// has one (168 for 1, 2, 3, 4, 11 and 18, 424 for 5), else all of them.
int messageBitCount(int type, int availableBits);
// 0 for a type whose length varies.
int ownBitCount(int type);

// The message of a parsed line with `placeCount` byte places (21 or 54). Nothing when one of its
// bytes is not two hexadecimal digits: its bits are not known. A type of varying length ends
// before a byte place that holds the "*" (a line of fewer bytes).
std::optional<AisMessage> lineMessage(const ByteTable &bytes, int placeCount);

// A sentence with "!", its checksum and CR LF is at most this long.
inline constexpr int maxSentenceLength = 82;
// The fragment counts are one digit.
inline constexpr int maxFragments = 9;

class AivdmWriter
{
public:
    // Appends the sentences of `message` (CR LF each): one when it fits, else fragments of 60
    // characters with the next sequence id (0 to 9, then 0 again) and the fill bits on the last.
    // False, nothing appended, when it needs more than nine sentences or has no bits.
    bool write(const AisMessage &message, QByteArray &out);
    QByteArray sentences(const AisMessage &message);

private:
    int m_nextSequenceId = 0;
};

enum class SentenceStatus {
    Message,         // a whole message is ready
    Fragment,        // kept until the rest of its group comes
    NotASentence,    // no "!xxVDM" or "!xxVDO" (after an optional tag block)
    TooLong,         // longer than AivdmReader::maxLineLength
    BadChecksum,     // the sentence's or the tag block's checksum is missing or wrong
    BadField,        // fragment count or number, sequence id, channel or fill bits malformed
    BadArmour,       // a payload character outside the six-bit armour
    MissingFragment, // a fragment number was skipped: the group is given up
    OutOfOrder,      // a fragment whose group was not begun, or one that came before
};

// What is wrong, in a few words ("the checksum is wrong"); empty for Message and Fragment.
QString problemText(SentenceStatus status);

struct SentenceResult
{
    SentenceStatus status = SentenceStatus::NotASentence;
    AisMessage message; // with SentenceStatus::Message
    // An unfinished group was given up because this sentence is no part of it.
    bool cutGroup = false;
    // Fragments given up by this sentence: a cut group, or a group with a gap and this fragment.
    int droppedFragments = 0;
};

class AivdmReader
{
public:
    // Sentences are at most 82 characters; a tag block and some slack are allowed for.
    static constexpr qsizetype maxLineLength = 1024;

    // One line: an optional tag block "\…*hh\", then one sentence; the line end and trailing
    // blanks may stand.
    SentenceResult read(QByteArrayView line);
    // Gives up an unfinished group at the end of the input; returns its fragment count.
    int finish();

    // Fragments given up since the reader began.
    qint64 droppedFragments() const { return m_droppedFragments; }

private:
    struct Group
    {
        QByteArray address; // "AIVDM"
        char total = 0;
        char sequenceId = 0;
        QByteArray channel;
        int received = 0;
        QByteArray codes; // six-bit values, one a byte
    };
    int dropGroup();

    std::optional<Group> m_group;
    qint64 m_droppedFragments = 0;
};

} // namespace tb::monitor
