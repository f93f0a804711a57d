#include "demomessages.h"

#include "bitwriter.h"

#include <array>

namespace tb::sim {

namespace {

// Positions in 1/10000 minute; the ships lie off the Skaw, the base station ashore.
constexpr quint64 ownShip = 219012345;
constexpr quint64 baseStation = 2190001;
constexpr quint64 classBShip = 219876543;
constexpr quint64 lat5703N = 57 * 600000 + 3 * 10000;       // 57°03.0000'N
constexpr quint64 lon955E = 9 * 600000 + 55 * 10000;        // 9°55.0000'E
constexpr quint64 lat5700N = 57 * 600000;                   // 57°00.0000'N
constexpr quint64 lon1000E = 10 * 600000;                   // 10°00.0000'E
constexpr quint64 lat5658N = 56 * 600000 + 582500;          // 56°58.2500'N
constexpr quint64 lon1005E = 10 * 600000 + 55000;           // 10°05.5000'E

// Communication states: SOTDMA (sync, slot time-out, sub message), ITDMA (sync, slot
// increment, slots, keep flag).
constexpr quint64 sotdma(quint64 sync, quint64 timeout, quint64 sub) { return sync << 17 | timeout << 14 | sub; }
constexpr quint64 itdma(quint64 sync, quint64 increment, quint64 slotCount, quint64 keep)
{
    return sync << 17 | increment << 4 | slotCount << 1 | keep;
}

constexpr std::array<DemoField, 16> positionReport(quint64 id, quint64 commState)
{
    return {{
        {"message id", 6, id, nullptr},
        {"repeat", 2, 0, nullptr},
        {"mmsi", 30, ownShip, nullptr},
        {"navigational status", 4, 0, nullptr},
        {"rate of turn", 8, 0, nullptr},
        {"speed over ground", 10, 123, nullptr},
        {"position accuracy", 1, 1, nullptr},
        {"longitude", 28, lon955E, nullptr},
        {"latitude", 27, lat5703N, nullptr},
        {"course over ground", 12, 456, nullptr},
        {"true heading", 9, 46, nullptr},
        {"time stamp", 6, 30, nullptr},
        {"regional", 4, 0, nullptr},
        {"spare", 1, 0, nullptr},
        {"raim", 1, 0, nullptr},
        {"communication state", 19, commState, nullptr},
    }};
}

constexpr auto type1 = positionReport(1, sotdma(0, 3, 1234));
constexpr auto type2 = positionReport(2, sotdma(0, 2, 1257));
constexpr auto type3 = positionReport(3, itdma(0, 100, 1, 0));

constexpr std::array<DemoField, 16> timeReport(quint64 id, quint64 mmsi)
{
    return {{
        {"message id", 6, id, nullptr},
        {"repeat", 2, 0, nullptr},
        {"mmsi", 30, mmsi, nullptr},
        {"year", 14, 2024, nullptr},
        {"month", 4, 5, nullptr},
        {"day", 5, 17, nullptr},
        {"hour", 5, 14, nullptr},
        {"minute", 6, 5, nullptr},
        {"second", 6, 9, nullptr},
        {"position accuracy", 1, 1, nullptr},
        {"longitude", 28, lon1000E, nullptr},
        {"latitude", 27, lat5700N, nullptr},
        {"fixing device", 4, 1, nullptr},
        {"spare", 10, 0, nullptr},
        {"raim", 1, 0, nullptr},
        {"communication state", 19, sotdma(0, 7, 3), nullptr},
    }};
}

constexpr auto type4 = timeReport(4, baseStation);
constexpr auto type11 = timeReport(11, ownShip);

constexpr DemoField type5[] = {
    {"message id", 6, 5, nullptr},
    {"repeat", 2, 0, nullptr},
    {"mmsi", 30, ownShip, nullptr},
    {"ais version", 2, 0, nullptr},
    {"imo number", 30, 9123456, nullptr},
    {"call sign", 42, 0, "OXAB2"},
    {"name", 120, 0, "NORDIC TRADER"},
    {"ship type", 8, 70, nullptr},
    {"to bow", 9, 100, nullptr},
    {"to stern", 9, 20, nullptr},
    {"to port", 6, 8, nullptr},
    {"to starboard", 6, 8, nullptr},
    {"fixing device", 4, 1, nullptr},
    {"eta month", 4, 6, nullptr},
    {"eta day", 5, 1, nullptr},
    {"eta hour", 5, 12, nullptr},
    {"eta minute", 6, 0, nullptr},
    {"draught", 8, 65, nullptr},
    {"destination", 120, 0, "AARHUS"},
    {"dte", 1, 0, nullptr},
    {"spare", 1, 0, nullptr},
};

// Twenty-one bytes like the other short messages: the text, "@" padding and two fill bits.
constexpr DemoField type14[] = {
    {"message id", 6, 14, nullptr},
    {"repeat", 2, 0, nullptr},
    {"mmsi", 30, ownShip, nullptr},
    {"spare", 2, 0, nullptr},
    {"text", 126, 0, "TEST"},
    {"fill", 2, 0, nullptr},
};

constexpr DemoField type18[] = {
    {"message id", 6, 18, nullptr},
    {"repeat", 2, 0, nullptr},
    {"mmsi", 30, classBShip, nullptr},
    {"reserved", 8, 0, nullptr},
    {"speed over ground", 10, 85, nullptr},
    {"position accuracy", 1, 0, nullptr},
    {"longitude", 28, lon1005E, nullptr},
    {"latitude", 27, lat5658N, nullptr},
    {"course over ground", 12, 1800, nullptr},
    {"true heading", 9, 511, nullptr},
    {"time stamp", 6, 20, nullptr},
    {"reserved", 2, 0, nullptr},
    {"carrier sense unit", 1, 1, nullptr},
    {"display", 1, 0, nullptr},
    {"dsc", 1, 1, nullptr},
    {"band", 1, 1, nullptr},
    {"message 22", 1, 1, nullptr},
    {"assigned", 1, 0, nullptr},
    {"raim", 1, 0, nullptr},
    {"communication selector", 1, 1, nullptr},
    {"communication state", 19, itdma(3, 0, 3, 0), nullptr},
};

constexpr DemoMessage messages[] = {
    {1, 168, type1}, {2, 168, type2}, {3, 168, type3}, {4, 168, type4},
    {5, 424, type5}, {11, 168, type11}, {14, 168, type14}, {18, 168, type18},
};

} // namespace

std::span<const DemoMessage> demoMessages()
{
    return messages;
}

QByteArray buildDemoMessage(const DemoMessage &message)
{
    BitWriter writer;
    for (const DemoField &field : message.fields) {
        if (field.text) {
            const bool fits = writer.putText(field.text, field.width / 6);
            Q_ASSERT(fits && field.width % 6 == 0);
            Q_UNUSED(fits);
        } else {
            writer.put(field.value, field.width);
        }
    }
    return writer.bytes();
}

QList<QByteArray> demoMessageBytes()
{
    QList<QByteArray> out;
    for (const DemoMessage &message : demoMessages())
        out += buildDemoMessage(message);
    return out;
}

} // namespace tb::sim
