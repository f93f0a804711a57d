// The frames a script sends, made as the composer windows make them: the AIS layouts and the one
// build routine, the DSC call, the NMEA checksum. Fields are named as testbox-decode's JSON names
// them and take the values the composer's boxes take; a field left out keeps the box's starting
// text. A value a box would not take is an error naming the field, and nothing is made.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>

namespace tb::run {

struct FieldValue
{
    QString name;
    QString value;
};

// The frame on the wire, or what is wrong.
using Composed = std::variant<QByteArray, QString>;

// Message 1, 2 or 3 as "Transfer" sends it. `lat` and `lon` take 1/10000 minute (South and West
// negative) or degrees and minutes as the panes write them: 57°03.0001'N.
Composed positionReportFrame(int msgId, const QList<FieldValue> &fields);
// Message 5 as "Send to TB" sends it; call sign and name as text in the six-bit alphabet.
Composed staticVoyageFrame(const QList<FieldValue> &fields);
// Message 15 as "Send to TB" sends it.
Composed interrogationFrame(const QList<FieldValue> &fields);
// The position report composer's "Load" of an AIS slot file, then "Transfer".
Composed aisSlotFrame(const QString &path);

// A DSC call from the symbols of the first boxes; the other boxes hold their starting "00".
Composed dscSymbolsFrame(const QStringList &symbols);
// A DSC call after "Load" of a DSCData*.txt slot file.
Composed dscSlotFrame(const QString &path);

// "Generate check" and "Transfer": a text with its own "*" goes as it stands. A leading "$" is
// the composer's caption, not part of the text.
Composed nmeaFrame(const QString &text);

// Raw bytes as hexadecimal pairs, blanks between them allowed.
Composed hexFrame(const QStringList &words);

// The field names each kind of send takes, for the usage and the error texts.
QStringList positionReportFieldNames();
QStringList staticVoyageFieldNames();
QStringList interrogationFieldNames();

} // namespace tb::run
