// The DSC slot files DSCData1.txt to DSCData4.txt: one line per box, the box's value as a signed
// 16-bit decimal integer, CR LF, 8-bit text.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tb::dsc {

// The slot file name of slot 1 to 4.
QString slotFileName(int slot);

// The lines of a slot file for the box texts; nothing when a box does not fit 16 bits.
std::optional<QStringList> slotLines(const QStringList &boxTexts);

// Writes the box texts to the slot file. On any failure (a box beyond 16 bits, the file cannot be
// written) the file keeps its earlier content and the result is false.
bool writeSlotFile(const QString &path, const QStringList &boxTexts);

// The values of a slot file in box order, as many as could be read (at most one per box): reading
// ends silently at a missing file, the end of the file or a value beyond 16 bits.
QList<std::int16_t> readSlotFile(const QString &path);

// The text a loaded value is shown with: one-digit symbols get a leading zero ("07"), as the
// boxes show them; others stay as they are.
QString padSymbol(const QString &text);

} // namespace tb::dsc
