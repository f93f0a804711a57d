// One run of testbox-decode: the inputs are replayed one after another through one message step,
// as the monitor replays files into one window, and the rows go out in the chosen format. The
// output is written in large blocks; problems are reported as they happen.
#pragma once

#include "decode/decodeoptions.h"
#include "monitor/aivdm.h"
#include "monitor/messagestep.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tb::decode {

class Decoder
{
public:
    Decoder(Format format, QChar decimalSeparator, QIODevice &output, QIODevice &errors);

    // Decodes every line of the file ("-": standard input). False when it could not be opened or
    // read; the lines before a read failure are decoded.
    bool decodeFile(const QString &path);
    bool decode(QIODevice &input, const QString &name);
    // What the monitor's "Save as text" writes at the end, then everything still held back.
    // False when the output could not be written.
    bool finish();

    qint64 failedLines() const { return m_failedLines; }

private:
    void report(const QString &text);
    void flushWhenFull();

    Format m_format;
    monitor::MessageStep m_step;
    monitor::AivdmWriter m_aivdm;
    QIODevice &m_output;
    QIODevice &m_errors;
    QByteArray m_pending;
    qint64 m_failedLines = 0;
    bool m_outputFailed = false;
};

} // namespace tb::decode
