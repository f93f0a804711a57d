#include "fields.h"

#include "monitor/basestationdecoders.h"
#include "monitor/classbdecoders.h"
#include "monitor/commondecoders.h"
#include "monitor/positionreportdecoders.h"
#include "monitor/safetytextdecoder.h"
#include "monitor/staticdatadecoders.h"

namespace tb::monitor {

namespace {

// The longitude of 1, 2 and 3 starts in byte 8.
constexpr int lon123FirstByte = 8;

FieldText utcTime(const ByteTable &bytes)
{
    FieldText text = decodeUtcHour(bytes);
    text.add(u':').add(decodeUtcMinute(bytes)).add(u':');
    const FieldText second = decodeUtcSecond(bytes);
    if (second.ok())
        text.add(second);
    else
        text.fail();
    return text;
}

FieldText utcMonthDay(const ByteTable &bytes)
{
    FieldText text = decodeUtcMonth(bytes);
    text.add(u'-').add(decodeUtcDay(bytes));
    return text;
}

} // namespace

const char *fieldName(Field field)
{
    switch (field) {
    case Field::NavStatus: return "navStatus";
    case Field::Rot: return "rot";
    case Field::Sog:
    case Field::Sog18: return "sog";
    case Field::PosAcc123:
    case Field::PosAcc18:
    case Field::PosAcc4: return "posAcc";
    case Field::Lon123:
    case Field::Lon18:
    case Field::Lon4: return "lon";
    case Field::Lat123:
    case Field::Lat18:
    case Field::Lat4: return "lat";
    case Field::Cog:
    case Field::Cog18: return "cog";
    case Field::Heading:
    case Field::Heading18: return "heading";
    case Field::TimeStamp: return "timeStamp";
    case Field::UtcYear: return "utcYear";
    case Field::UtcMonthDay: return "utcMonthDay";
    case Field::UtcTime: return "utcTime";
    case Field::FixDevice: return "fixDevice";
    case Field::AisVersion: return "aisVersion";
    case Field::ImoNumber: return "imoNumber";
    case Field::CallSign: return "callSign";
    case Field::ShipName: return "shipName";
    case Field::ShipType: return "shipType";
    case Field::Dimension: return "dimension";
    case Field::Destination: return "destination";
    case Field::Dte: return "dte";
    case Field::SafetyText: return "safetyText";
    case Field::Raim: return "raim";
    case Field::CommState: return "commState";
    case Field::Blank:
    case Field::Empty: return nullptr;
    }
    return nullptr;
}

FieldText decodeField(Field field, const ByteTable &bytes, QChar decimalSeparator)
{
    switch (field) {
    case Field::NavStatus: return decodeNavStatus(bytes);
    case Field::Rot: return decodeRot(bytes);
    case Field::Sog: return decodeSog(bytes, decimalSeparator);
    case Field::PosAcc123: return decodePosAcc123(bytes);
    case Field::Lon123: return decodeLon123(bytes, lon123FirstByte);
    case Field::Lat123: return decodeLat123(bytes);
    case Field::Cog: return decodeCog(bytes, decimalSeparator);
    case Field::Heading: return decodeHeading(bytes);
    case Field::TimeStamp: return decodeTimeStamp(bytes);
    case Field::Sog18: return decodeSog18(bytes, decimalSeparator);
    case Field::PosAcc18: return decodePosAcc18(bytes);
    case Field::Lon18: return decodeLon18(bytes);
    case Field::Lat18: return decodeLat18(bytes);
    case Field::Cog18: return decodeCog18(bytes, decimalSeparator);
    case Field::Heading18: return decodeHeading18(bytes);
    case Field::UtcYear: return decodeUtcYear(bytes);
    case Field::UtcMonthDay: return utcMonthDay(bytes);
    case Field::UtcTime: return utcTime(bytes);
    case Field::PosAcc4: return decodePosAcc4(bytes);
    case Field::Lon4: return decodeLon4(bytes);
    case Field::Lat4: return decodeLat4(bytes);
    case Field::FixDevice: return decodeFixDevice(bytes);
    case Field::AisVersion: return decodeAisVersion(bytes);
    case Field::ImoNumber: return decodeImoNumber(bytes);
    case Field::CallSign: return decodeCallSign(bytes);
    case Field::ShipName: return decodeShipName(bytes);
    case Field::ShipType: return decodeShipType(bytes);
    case Field::Dimension: return decodeDimension(bytes);
    case Field::Destination: return decodeDestination(bytes);
    case Field::Dte: return decodeDte(bytes);
    case Field::SafetyText: return decodeSafetyText(bytes);
    case Field::Raim: return decodeRaim(bytes);
    case Field::CommState: return decodeCommState(bytes);
    case Field::Blank: return FieldText(" ");
    case Field::Empty: return FieldText();
    }
    return FieldText::failure();
}

} // namespace tb::monitor
