#include "framedecoder.h"

#include <algorithm>

namespace tb::sim {

namespace {

FrameKind binaryKind(const QByteArray &bytes)
{
    if (bytes.size() < 2 || bytes.back() != FrameDecoder::dscEnd)
        return FrameKind::Ais;
    const bool symbols = std::all_of(bytes.begin() + 1, bytes.end() - 1,
                                     [](char c) { return quint8(c) < 128; });
    return symbols ? FrameKind::Dsc : FrameKind::Ais;
}

} // namespace

QList<Frame> FrameDecoder::feed(QByteArrayView bytes, qint64 nowMs)
{
    QList<Frame> out = expire(nowMs);
    for (char byte : bytes)
        take(byte, out);
    if (!bytes.isEmpty())
        m_lastByteMs = nowMs;
    return out;
}

QList<Frame> FrameDecoder::expire(qint64 nowMs)
{
    QList<Frame> out;
    if (m_state != State::Idle && nowMs - m_lastByteMs >= m_gapMs)
        finish(FrameEnd::QuietLine, out);
    return out;
}

std::optional<qint64> FrameDecoder::deadline() const
{
    if (m_state == State::Idle)
        return std::nullopt;
    return m_lastByteMs + m_gapMs;
}

void FrameDecoder::take(char byte, QList<Frame> &out)
{
    const bool lead = byte == aisOrDscLead || byte == nmeaLead;
    if (m_state == State::Stray && lead)
        finish(FrameEnd::NextLead, out);
    if (m_state == State::Idle)
        m_state = byte == aisOrDscLead ? State::Binary : byte == nmeaLead ? State::Nmea : State::Stray;
    m_bytes += byte;
    if (m_state == State::Nmea && byte == '\0')
        finish(FrameEnd::Terminator, out);
    else if (m_bytes.size() >= maxFrameBytes)
        finish(FrameEnd::Overflow, out);
}

void FrameDecoder::finish(FrameEnd end, QList<Frame> &out)
{
    FrameKind kind = FrameKind::Stray;
    switch (m_state) {
    case State::Idle:
        return;
    case State::Binary:
        kind = binaryKind(m_bytes);
        break;
    case State::Nmea:
        kind = FrameKind::Nmea;
        break;
    case State::Stray:
        kind = FrameKind::Stray;
        break;
    }
    out += Frame {kind, m_bytes, end};
    m_bytes.clear();
    m_state = State::Idle;
}

} // namespace tb::sim
