#include "sentenceparser.h"

#include "monitor/commondecoders.h"
#include "monitor/fieldtexts.h"


namespace tb::monitor {

namespace {

// The order decides what a failing strict reading leaves written.
constexpr ColumnField staticDataColumns[] = {
    {4, Field::AisVersion}, {5, Field::ImoNumber}, {6, Field::CallSign}, {7, Field::ShipName},
    {8, Field::ShipType}, {9, Field::Dimension}, {10, Field::Blank}, {11, Field::Blank},
    {12, Field::Blank}, {13, Field::Destination}, {14, Field::Dte},
};

constexpr ColumnField baseStationColumns[] = {
    {13, Field::Raim}, {14, Field::CommState}, {4, Field::UtcYear}, {5, Field::UtcMonthDay},
    {6, Field::UtcTime}, {7, Field::PosAcc4}, {8, Field::Lon4}, {9, Field::Lat4},
    {10, Field::FixDevice}, {11, Field::Empty}, {12, Field::Empty},
};

constexpr ColumnField classBColumns[] = {
    {13, Field::Raim}, {14, Field::CommState}, {7, Field::PosAcc18}, {8, Field::Lon18},
    {9, Field::Lat18}, {4, Field::Blank}, {5, Field::Blank}, {6, Field::Sog18},
    {10, Field::Cog18}, {11, Field::Heading18}, {12, Field::Blank},
};

constexpr ColumnField safetyTextColumns[] = {
    {13, Field::Raim}, {14, Field::CommState}, {6, Field::SafetyText},
};

constexpr ColumnField positionReportColumns[] = {
    {13, Field::Raim}, {14, Field::CommState}, {7, Field::PosAcc123}, {8, Field::Lon123},
    {9, Field::Lat123}, {4, Field::NavStatus}, {5, Field::Rot}, {6, Field::Sog},
    {10, Field::Cog}, {11, Field::Heading}, {12, Field::TimeStamp},
};

} // namespace

std::span<const ColumnField> columnsFor(int msgId)
{
    switch (msgId) {
    case 5: return staticDataColumns;
    case 4:
    case 11: return baseStationColumns;
    case 18: return classBColumns;
    case 14: return safetyTextColumns;
    default: return positionReportColumns;
    }
}

int fillByteTable(QStringView line, ByteTable &bytes)
{
    // A Testbox line has one "$", at its start: with more, noise came before it (a wrong speed, a
    // loose connector), and the line is what follows the last one.
    const qsizetype lastDollar = line.lastIndexOf(u'$');
    if (lastDollar > 0 && line.first(lastDollar).contains(u'$'))
        line = line.sliced(lastDollar);
    const qsizetype dollar = line.indexOf(u'$') + 1;
    const qsizetype star = line.indexOf(u'*') + 1;
    const int count = star == longLineStar ? longLineBytes : shortLineBytes;
    for (int k = 1; k <= count; ++k) {
        // The two characters at the byte's place (counted from 1), as far as the line goes.
        const qsizetype index = (k == 1 ? dollar + 5 : dollar + 3 * k + 3) - 1;
        const qsizetype available = index < line.size() ? std::min<qsizetype>(2, line.size() - index) : 0;
        bytes.setBytePlace(k, QStringView(line.data() + std::min(index, line.size()), available));
    }
    return count;
}

ParseResult parseSentence(QStringView line, ParserState &state, QChar decimalSeparator)
{
    state.historyRow += 1;
    if (state.historyRow > HistoryTable::lastRow)
        state.historyRow = 1;
    const int row = state.historyRow;

    state.placeCount = fillByteTable(line, state.bytes);
    const int msgId = decodeMsgId(state.bytes);
    decodeMmsi(state.bytes).assignTo(state.history.cell(row, MmsiColumn));
    numberText(std::uint32_t(msgId)).assignTo(state.history.cell(row, MsgIdColumn));
    numberText(std::uint32_t(decodeRepeat(state.bytes))).assignTo(state.history.cell(row, RepeatColumn));

    for (const ColumnField &c : columnsFor(msgId)) {
        const FieldText text = decodeField(c.field, state.bytes, decimalSeparator);
        if (!text.ok())
            return {c.field, msgId};
        text.assignTo(state.history.cell(row, c.column));
    }
    return {std::nullopt, msgId};
}

} // namespace tb::monitor
