// Testbox lines: how the Testbox reports one AIS message, and the files the simulator sends them
// from.
//
// A line is "$", a header of four characters, message byte 1 as two hexadecimal digits and two
// blanks, then every further byte as two digits and one blank, "*", carriage return and line
// feed. Byte k then stands at characters 3k+4 and 3k+5 (byte 1 at 6 and 7), and a 53-byte
// message puts its "*" at character 166, which is how a reader tells a long message from the
// 21 bytes of the others. The header (not read by the monitor) is the byte count in hexadecimal.
#pragma once

#include "framedecoder.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace tb::sim {

QByteArray testboxLine(const QByteArray &message);

// What --loop sends back for a received frame: an AIS message as its Testbox line, an NMEA
// sentence as it came without its NUL, a DSC call as "$DSC," and its symbols in decimal joined by
// commas (lead 200 and closing 128 left out), each with CR LF; nothing for stray bytes.
std::optional<QByteArray> loopLine(const Frame &frame);

// A line of a send file that is neither a Testbox line nor message bytes (counted from 1), or
// a !AIVDM sentence that does not give a message (`reason` says why).
struct SendFileError
{
    int line;
    QString reason;
};

// The lines to send from a file's content: a line that starts with "$" goes out as it stands
// (with CR LF); a line of hexadecimal byte pairs (blanks or commas between them allowed) is
// formatted as a Testbox line; so is the message of !AIVDM or !AIVDO sentences (an NMEA 4.10
// tag block in front allowed), its whole bytes, once its last fragment has come. Empty lines
// and lines starting with "#" are skipped.
std::variant<QList<QByteArray>, SendFileError> readSendFile(const QByteArray &content);

} // namespace tb::sim
