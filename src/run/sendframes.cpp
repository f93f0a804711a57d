#include "sendframes.h"

#include "ais/bitbuffer.h"
#include "ais/composerboxes.h"
#include "ais/layouts.h"
#include "ais/messagebuilder.h"
#include "ais/position.h"
#include "ais/slotrecord.h"
#include "ais/transferframe.h"
#include "common/numbers.h"
#include "dsc/dsccall.h"
#include "dsc/dscslot.h"
#include "monitor/fieldtexts.h"
#include "nmea/nmeasentence.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>

namespace tb::run {

namespace {

enum class Kind {
    Number,
    Latitude,
    Longitude,
    CommState, // sync state and the rest of the communication state as the monitor shows them, one number
    SixBitText,
    Dimension,
};

struct SendField
{
    const char *name;
    Kind kind;
    const char *box; // the box, or the first of a row of six-bit boxes
    double min = 0;
    double max = 0;
};

constexpr SendField positionReportFields[] = {
    {"repeat", Kind::Number, "txtRepeat", 0, 3},
    {"mmsi", Kind::Number, "txtMMSI", 0, 999999999},
    {"navStatus", Kind::Number, "txtNavi", 0, 15},
    {"rot", Kind::Number, "txtRoT", -128, 127},
    {"sog", Kind::Number, "txtsog", 0, 1023},
    {"posAcc", Kind::Number, "txtPosAcu", 0, 1},
    {"lon", Kind::Longitude, "txtLongitude"},
    {"lat", Kind::Latitude, "txtLatitude"},
    {"cog", Kind::Number, "txtCog", 0, 3600},
    {"heading", Kind::Number, "txtTrueHeading", 0, 511},
    {"timeStamp", Kind::Number, "txtTimeStamp", 0, 63},
    {"regional", Kind::Number, "txtRegional", 0, 15},
    {"spare", Kind::Number, "txtSpare", 0, 1},
    {"raim", Kind::Number, "txtRAIM", 0, 1},
    {"commState", Kind::CommState, "txtSyncState", 0, 524287},
};

constexpr SendField staticVoyageFields[] = {
    {"repeat", Kind::Number, "txtRepeat", 0, 3},
    {"mmsi", Kind::Number, "txtMMSI", 0, 999999999},
    {"aisVersion", Kind::Number, "txtAISVI", 0, 3},
    {"imoNumber", Kind::Number, "txtIMO", 0, 999999999},
    {"callSign", Kind::SixBitText, "txtCallSign", 0, 7},
    {"shipName", Kind::SixBitText, "txtName", 0, 20},
    {"shipType", Kind::Number, "txtType", 0, 255},
    {"dimension", Kind::Dimension, "txtOverall", 0, 1073741823},
    {"fixDevice", Kind::Number, "txtPosDev", 0, 15},
    {"eta", Kind::Number, "txtETA", 0, 1048575},
    {"draught", Kind::Number, "txtMaxDraught", 0, 255},
    {"dte", Kind::Number, "txtDTE", 0, 1},
    {"spare", Kind::Number, "txtSpare", 0, 1},
};

constexpr SendField interrogationFields[] = {
    {"repeat", Kind::Number, "txtRepeat", 0, 3},
    {"mmsi", Kind::Number, "txtMMSI", 0, 999999999},
    {"mmsi1", Kind::Number, "txtMMSI1", 0, 999999999},
    {"msgId1", Kind::Number, "txtMSGID1", 0, 63},
    {"offset1", Kind::Number, "txtOffset1", 0, 4095},
    {"msgId2", Kind::Number, "txtMSGID2", 0, 63},
    {"offset2", Kind::Number, "txtOffset2", 0, 4095},
    {"mmsi2", Kind::Number, "txtMMSI2", 0, 999999999},
    {"msgId3", Kind::Number, "txtMSGID3", 0, 63},
    {"offset3", Kind::Number, "txtOffset3", 0, 4095},
};

// The six-bit rows of message 5, in layout order.
constexpr const char *callSignBoxes[] = {"txtCallSign", "txtCallSign1", "txtCallSigN2", "txtCallSign3",
                                         "txtCallSign4", "txtCallSign5", "txtCallSign6"};

QStringList nameBoxes()
{
    QStringList boxes;
    for (const char *box : ais::staticVoyageNameBoxes)
        if (qstrcmp(box, "Text13") != 0) // in the row, but no part of the message
            boxes += QString::fromLatin1(box);
    return boxes;
}

using Boxes = QHash<QString, QString>;

template <std::size_t N>
void addDefaults(Boxes &boxes, const std::array<ais::BoxSpec, N> &defaults)
{
    for (const ais::BoxSpec &box : defaults)
        boxes.insert(QString::fromLatin1(box.name), QString::fromLatin1(box.text));
}

// The position report composer as it opens: the field row, the position rows, North and East.
struct PositionBoxes
{
    Boxes texts;
    bool south = false;
    bool west = false;
};

PositionBoxes positionReportStart()
{
    PositionBoxes start;
    addDefaults(start.texts, ais::positionReportBoxes);
    addDefaults(start.texts, ais::latitudeBoxes);
    addDefaults(start.texts, ais::longitudeBoxes);
    return start;
}

void setRow(Boxes &boxes, const std::array<ais::BoxSpec, 3> &row, const ais::Angle &angle)
{
    boxes[QString::fromLatin1(row[0].name)] = formatNumber(angle.degrees);
    boxes[QString::fromLatin1(row[1].name)] = formatNumber(angle.minutes);
    boxes[QString::fromLatin1(row[2].name)] = formatNumber(angle.tenThousandths);
}

ais::Angle rowAngle(const Boxes &boxes, const std::array<ais::BoxSpec, 3> &row)
{
    return {readNumber(boxes.value(QString::fromLatin1(row[0].name))), readNumber(boxes.value(QString::fromLatin1(row[1].name))),
            readNumber(boxes.value(QString::fromLatin1(row[2].name)))};
}

QByteArray build(const ais::MessageLayout &layout, const Boxes &boxes)
{
    ais::MessageBits bits(layout.bufferSize);
    // The ranges checked before keep every write inside the message.
    const auto fault = ais::buildMessage(bits, layout, [&](const char *box) { return boxes.value(QString::fromLatin1(box)); });
    Q_ASSERT(!fault);
    Q_UNUSED(fault);
    return ais::transferFrame(bits.pack(layout.bitCount));
}

// "Transfer": the position numbers from the rows and the hemispheres, then the message.
QByteArray transferPositionReport(PositionBoxes boxes)
{
    const double latitude = ais::amount(rowAngle(boxes.texts, ais::latitudeBoxes));
    const double longitude = ais::amount(rowAngle(boxes.texts, ais::longitudeBoxes));
    boxes.texts[QStringLiteral("txtLatitude")] = formatNumber(ais::latitudeField(latitude, boxes.south));
    boxes.texts[QStringLiteral("txtLongitude")] = formatNumber(ais::longitudeField(longitude, boxes.west));
    return build(ais::positionReport, boxes.texts);
}

std::optional<qint64> wholeNumber(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d{1,15}$"));
    if (!integer.match(text).hasMatch())
        return std::nullopt;
    return text.toLongLong();
}

QString rangeText(const SendField &field)
{
    return QStringLiteral("%1 to %2").arg(qint64(field.min)).arg(qint64(field.max));
}

struct Position
{
    ais::Angle angle;
    bool negative;
};

// 57°03.0001'N (or with ","), or a whole number of 1/10000 minutes, negative for South or West.
std::variant<Position, QString> readPosition(const SendField &field, const QString &text)
{
    const bool latitude = field.kind == Kind::Latitude;
    const double most = (latitude ? 91 : 181) * 600000.0; // the not-available value is the largest
    const QString example = latitude ? QStringLiteral("57°03.0001'N") : QStringLiteral("009°55.1234'E");
    const QString problem = QStringLiteral("%1: \"%2\" is no %3 (write %4 or 1/10000 minutes, at most %5)")
                                .arg(QString::fromLatin1(field.name), text,
                                     latitude ? QStringLiteral("latitude") : QStringLiteral("longitude"), example)
                                .arg(qint64(most));
    if (const auto number = wholeNumber(text)) {
        const double value = double(std::abs(*number));
        if (value > most)
            return problem;
        const bool negative = *number < 0;
        // As the hidden message box would hold it after a load, split into the rows.
        const ais::SplitAngle split = latitude ? ais::splitLatitude(ais::latitudeField(value, negative))
                                               : ais::splitLongitude(ais::longitudeField(value, negative));
        return Position {split.angle, split.negative};
    }
    static const QRegularExpression angle(QStringLiteral("^(\\d{1,3})\u00B0(\\d{1,2})[.,](\\d{4})'?([NSEW])$"));
    const auto match = angle.match(text);
    if (!match.hasMatch())
        return problem;
    const QChar hemisphere = match.captured(4).at(0);
    if (latitude != (hemisphere == u'N' || hemisphere == u'S'))
        return problem;
    const ais::Angle a {match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3).toDouble()};
    if (a.minutes >= 60 || ais::amount(a) > most)
        return problem;
    return Position {a, hemisphere == u'S' || hemisphere == u'W'};
}

std::optional<int> sixBitCode(QChar c)
{
    if (c == u' ')
        return 32; // the usual blank; code 0 reads as one too and fills what the text leaves
    for (int code = 1; code < 64; ++code)
        if (monitor::sixBitChar(code) == c)
            return code;
    return std::nullopt;
}

std::optional<qint64> readDimension(const QString &text)
{
    if (const auto number = wholeNumber(text))
        return number;
    static const QRegularExpression parts(QStringLiteral("^A:(\\d+)m B:(\\d+)m C:(\\d+)m D:(\\d+)m$"));
    const auto match = parts.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 a = match.captured(1).toLongLong(), b = match.captured(2).toLongLong();
    const qint64 c = match.captured(3).toLongLong(), d = match.captured(4).toLongLong();
    if (a > 511 || b > 511 || c > 63 || d > 63)
        return std::nullopt;
    return (a << 21) | (b << 12) | (c << 6) | d;
}

QStringList namesOf(std::span<const SendField> fields)
{
    QStringList names;
    for (const SendField &f : fields)
        names += QString::fromLatin1(f.name);
    return names;
}

// Puts each given field into its boxes; the error names the first field at fault.
std::optional<QString> applyFields(std::span<const SendField> table, const QList<FieldValue> &fields,
                                   PositionBoxes &boxes)
{
    QStringList seen;
    for (const FieldValue &given : fields) {
        const auto it = std::find_if(table.begin(), table.end(), [&](const SendField &f) { return given.name == QLatin1String(f.name); });
        if (it == table.end())
            return QStringLiteral("unknown field \"%1\" (fields: %2)").arg(given.name, namesOf(table).join(u' '));
        if (seen.contains(given.name))
            return QStringLiteral("%1 is given twice").arg(given.name);
        seen += given.name;
        const SendField &field = *it;
        const QString name = QString::fromLatin1(field.name);
        switch (field.kind) {
        case Kind::Number:
        case Kind::CommState:
        case Kind::Dimension: {
            const auto value = field.kind == Kind::Dimension ? readDimension(given.value) : wholeNumber(given.value);
            if (!value)
                return QStringLiteral("%1: \"%2\" is not a whole number").arg(name, given.value)
                    + (field.kind == Kind::Dimension ? QStringLiteral(" nor A:…m B:…m C:…m D:…m") : QString());
            if (double(*value) < field.min || double(*value) > field.max)
                return QStringLiteral("%1: %2 is out of range (%3)").arg(name, given.value, rangeText(field));
            if (field.kind == Kind::CommState) {
                boxes.texts[QStringLiteral("txtSyncState")] = QString::number(*value >> 17);
                boxes.texts[QStringLiteral("txtRestCommunication")] = QString::number(*value & 0x1FFFF);
            } else {
                boxes.texts[QString::fromLatin1(field.box)] = QString::number(*value);
            }
            break;
        }
        case Kind::Latitude:
        case Kind::Longitude: {
            const auto position = readPosition(field, given.value);
            if (const auto *problem = std::get_if<QString>(&position))
                return *problem;
            const Position &p = std::get<Position>(position);
            if (field.kind == Kind::Latitude) {
                setRow(boxes.texts, ais::latitudeBoxes, p.angle);
                boxes.south = p.negative;
            } else {
                setRow(boxes.texts, ais::longitudeBoxes, p.angle);
                boxes.west = p.negative;
            }
            break;
        }
        case Kind::SixBitText: {
            const QStringList row = qstrcmp(field.box, "txtName") == 0 ? nameBoxes() : [] {
                QStringList l;
                for (const char *b : callSignBoxes)
                    l += QString::fromLatin1(b);
                return l;
            }();
            if (given.value.size() > row.size())
                return QStringLiteral("%1: \"%2\" is longer than %3 characters").arg(name, given.value).arg(row.size());
            for (qsizetype i = 0; i < row.size(); ++i) {
                int code = 0;
                if (i < given.value.size()) {
                    const auto c = sixBitCode(given.value.at(i));
                    if (!c)
                        return QStringLiteral("%1: \"%2\" is not in the six-bit alphabet (capitals, digits, blank and "
                                              "!\"#$%&()*+,-./:;<=>?[|]^_)")
                            .arg(name, given.value.at(i));
                    code = *c;
                }
                boxes.texts[row[i]] = QString::number(code);
            }
            break;
        }
        }
    }
    return std::nullopt;
}

} // namespace

QStringList positionReportFieldNames() { return namesOf(positionReportFields); }
QStringList staticVoyageFieldNames() { return namesOf(staticVoyageFields); }
QStringList interrogationFieldNames() { return namesOf(interrogationFields); }

Composed positionReportFrame(int msgId, const QList<FieldValue> &fields)
{
    PositionBoxes boxes = positionReportStart();
    boxes.texts[QStringLiteral("txtMSGID")] = QString::number(msgId);
    if (const auto problem = applyFields(positionReportFields, fields, boxes))
        return *problem;
    return transferPositionReport(boxes);
}

Composed staticVoyageFrame(const QList<FieldValue> &fields)
{
    PositionBoxes boxes;
    addDefaults(boxes.texts, ais::staticVoyageBoxes);
    for (std::size_t i = 0; i < ais::staticVoyageNameBoxes.size(); ++i)
        boxes.texts[QString::fromLatin1(ais::staticVoyageNameBoxes[i])]
            = QString::fromLatin1(i < ais::staticVoyageNameDefaults.size() ? ais::staticVoyageNameDefaults[i] : "0");
    if (const auto problem = applyFields(staticVoyageFields, fields, boxes))
        return *problem;
    return build(ais::staticVoyage, boxes.texts);
}

Composed interrogationFrame(const QList<FieldValue> &fields)
{
    PositionBoxes boxes;
    for (const ais::Box15 &b : ais::interrogationBoxes)
        boxes.texts.insert(QString::fromLatin1(b.field.name), QString::fromLatin1(b.field.text));
    if (const auto problem = applyFields(interrogationFields, fields, boxes))
        return *problem;
    return build(ais::interrogation, boxes.texts);
}

Composed aisSlotFrame(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("Can't find %1!").arg(path);
    const ais::LoadedRecord record = ais::loadRecord(path, int(ais::positionReportRecord.size()));
    if (!record.complete)
        return QStringLiteral("%1 holds %2 of the %3 values of a position report slot")
            .arg(path)
            .arg(record.texts.size())
            .arg(ais::positionReportRecord.size());
    PositionBoxes boxes = positionReportStart();
    for (qsizetype i = 0; i < record.texts.size(); ++i)
        boxes.texts[QString::fromLatin1(ais::positionReportRecord[std::size_t(i)])] = record.texts[i];
    // "Load" splits the message's numbers into the rows; "Transfer" builds them again from there.
    const ais::SplitAngle latitude = ais::splitLatitude(readNumber(boxes.texts.value(QStringLiteral("txtLatitude"))));
    const ais::SplitAngle longitude = ais::splitLongitude(readNumber(boxes.texts.value(QStringLiteral("txtLongitude"))));
    setRow(boxes.texts, ais::latitudeBoxes, latitude.angle);
    setRow(boxes.texts, ais::longitudeBoxes, longitude.angle);
    boxes.south = latitude.negative;
    boxes.west = longitude.negative;
    return transferPositionReport(boxes);
}

namespace {

Composed dscFrame(QStringList boxes)
{
    const auto frame = dsc::callFrame(boxes);
    if (const auto *bad = std::get_if<dsc::UnsendableSymbol>(&frame))
        return QStringLiteral("Box %1 holds %2, which cannot be sent.").arg(bad->index).arg(formatNumber(bad->value));
    return std::get<QByteArray>(frame);
}

// The boxes after the first `given` were set: box 1 follows box 0 when only box 0 was.
QStringList dscBoxes(const QStringList &given)
{
    QStringList boxes = given;
    while (boxes.size() < dsc::boxCount)
        boxes += QStringLiteral("00");
    if (given.size() == 1)
        boxes[1] = boxes[0];
    return boxes;
}

} // namespace

Composed dscSymbolsFrame(const QStringList &symbols)
{
    if (symbols.isEmpty())
        return QStringLiteral("dsc: no symbols");
    if (symbols.size() > dsc::boxCount)
        return QStringLiteral("dsc: %1 symbols, the call has %2 boxes").arg(symbols.size()).arg(dsc::boxCount);
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        const auto value = wholeNumber(symbols[i]);
        if (!value || *value < 0 || *value > 127)
            return QStringLiteral("dsc: symbol %1 \"%2\" is not a symbol 0 to 127").arg(i + 1).arg(symbols[i]);
        if (dsc::isEndOfSequence(int(*value)) && i + 1 < symbols.size())
            return QStringLiteral("dsc: the call ends at %1 (symbol %2); what follows is never sent").arg(symbols[i]).arg(i + 1);
    }
    return dscFrame(dscBoxes(symbols));
}

Composed dscSlotFrame(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("Can't find %1!").arg(path);
    QStringList values;
    for (std::int16_t value : dsc::readSlotFile(path))
        values += dsc::padSymbol(QString::number(value));
    if (values.isEmpty())
        return QStringLiteral("%1 holds no DSC symbol").arg(path);
    return dscFrame(dscBoxes(values));
}

Composed nmeaFrame(const QString &given)
{
    QString text = given;
    if (text.startsWith(u'$'))
        text.remove(0, 1);
    if (text.isEmpty())
        return QStringLiteral("nmea: no sentence");
    if (!text.contains(u'*')) {
        const auto checked = nmea::withChecksum(text);
        if (const auto *error = std::get_if<nmea::TextError>(&checked))
            return *error == nmea::TextError::TooLong ? QStringLiteral("NMEA string to long!")
                                                      : QStringLiteral("The NMEA string holds a character that cannot be sent as one byte.");
        text = std::get<QString>(checked);
    }
    const auto frame = nmea::transferFrame(text);
    if (const auto *error = std::get_if<nmea::TextError>(&frame))
        return *error == nmea::TextError::TooLong ? QStringLiteral("NMEA string to long!")
                                                  : QStringLiteral("The NMEA string holds a character that cannot be sent as one byte.");
    return std::get<QByteArray>(frame);
}

Composed hexFrame(const QStringList &words)
{
    static const QRegularExpression pairs(QStringLiteral("^([0-9A-Fa-f]{2})+$"));
    QByteArray bytes;
    for (const QString &word : words) {
        if (!pairs.match(word).hasMatch())
            return QStringLiteral("hex: \"%1\" is not hexadecimal byte pairs").arg(word);
        bytes += QByteArray::fromHex(word.toLatin1());
    }
    if (bytes.isEmpty())
        return QStringLiteral("hex: no bytes");
    return bytes;
}

} // namespace tb::run
