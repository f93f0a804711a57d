// The built-in message set: one message of each type the monitor decodes (1, 2, 3, 4, 5, 11, 14,
// 18), each declared once as its fields in order, with realistic values near 57°N 10°E.
#pragma once

#include <QByteArray>
#include <QList>

#include <span>

namespace tb::sim {

struct DemoField
{
    const char *name;
    int width;            // bits
    quint64 value;        // ignored for a text field
    const char *text;     // six-bit text filling the width (width / 6 characters), or null
};

struct DemoMessage
{
    int type;
    int bits;             // the message length the fields must fill exactly
    std::span<const DemoField> fields;
};

std::span<const DemoMessage> demoMessages();

// The message bytes of one declaration (fields in order, first bit most significant).
QByteArray buildDemoMessage(const DemoMessage &message);

// The bytes of every built-in message, in the order of the set.
QList<QByteArray> demoMessageBytes();

} // namespace tb::sim
