// Cuts the bytes a tool writes to the Testbox into frames, by the lead byte and by a quiet line.
//
// "$" starts an NMEA sentence, which ends at its NUL. 200 starts an AIS message or a DSC call;
// both end only when the line has been quiet for the gap, because an AIS message may hold any byte
// value, 128 and 200 included. The frame after 200 is then a DSC call when its last byte is the
// closing 128 and every byte before that is a symbol 0 to 127, and an AIS message otherwise (an
// AIS message with those values in every byte would be taken for a call; the tools' messages begin
// with their type and never end that way in practice). Bytes outside any frame are gathered as
// stray bytes until the next lead byte or a quiet line.
//
// Time is given with the bytes, so the rule is the same whether the caller is an event loop or a
// test table.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace tb::sim {

enum class FrameKind { Ais, Dsc, Nmea, Stray };

enum class FrameEnd {
    Terminator,  // the NUL of an NMEA sentence
    QuietLine,   // nothing more arrived for the gap
    NextLead,    // stray bytes ended by a lead byte
    Overflow,    // cut at the longest frame kept
};

struct Frame
{
    FrameKind kind;
    QByteArray bytes;  // as on the wire: lead byte and terminator included
    FrameEnd end;

    bool operator==(const Frame &) const = default;
};

class FrameDecoder
{
public:
    static constexpr qint64 defaultQuietGapMs = 50;
    static constexpr qsizetype maxFrameBytes = 1024;
    static constexpr char aisOrDscLead = char(200);
    static constexpr char nmeaLead = '$';
    static constexpr char dscEnd = char(128);

    explicit FrameDecoder(qint64 quietGapMs = defaultQuietGapMs) : m_gapMs(quietGapMs) {}

    // The frames that `bytes`, arriving at `nowMs`, complete (a frame left open by a quiet line
    // before them first).
    QList<Frame> feed(QByteArrayView bytes, qint64 nowMs);
    // The open frame, when the line has been quiet for the gap by `nowMs`.
    QList<Frame> expire(qint64 nowMs);
    // When the open frame ends if nothing more arrives; nothing when no frame is open.
    std::optional<qint64> deadline() const;

private:
    enum class State { Idle, Binary, Nmea, Stray };

    void take(char byte, QList<Frame> &out);
    void finish(FrameEnd end, QList<Frame> &out);

    qint64 m_gapMs;
    State m_state = State::Idle;
    QByteArray m_bytes;
    qint64 m_lastByteMs = 0;
};

} // namespace tb::sim
