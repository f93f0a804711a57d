#include "decoder.h"

#include "decode/rowformats.h"
#include "monitor/dumpfile.h"
#include "monitor/savedtext.h"

#include <QFile>

#include <cstdio>

namespace tb::decode {

namespace {

constexpr qsizetype outputBlock = 256 * 1024;

} // namespace

Decoder::Decoder(Format format, QChar decimalSeparator, QIODevice &output, QIODevice &errors)
    : m_format(format), m_step(decimalSeparator, monitor::PaneTexts::NotKept), m_output(output), m_errors(errors)
{
    m_pending.reserve(outputBlock + 64 * 1024);
    if (m_format == Format::Csv)
        m_pending += csvHeader();
}

bool Decoder::decodeFile(const QString &path)
{
    QFile file;
    const bool standardInput = path == u"-";
    // By descriptor: under wine the C stream of a pipe reports its end as a read error.
    const bool opened = standardInput ? file.open(0, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        report(QStringLiteral("%1: Problem reading data from file (%2)\n").arg(path, file.errorString()));
        return false;
    }
    return decode(file, path);
}

bool Decoder::decode(QIODevice &input, const QString &name)
{
    monitor::DumpLineReader reader(input);
    qint64 lineNumber = 0;
    while (const auto line = reader.next()) {
        ++lineNumber;
        const monitor::StepResult result = m_step.run(*line, monitor::LinePath::DumpFile);
        switch (result.outcome) {
        case monitor::StepResult::Outcome::Skipped:
            continue;
        case monitor::StepResult::Outcome::DecodeFailed:
            ++m_failedLines;
            report(QStringLiteral("%1:%2: Problem reading AIS data\n").arg(name).arg(lineNumber));
            continue;
        case monitor::StepResult::Outcome::Shown:
            break;
        }
        if (m_format == Format::Aivdm) {
            const auto message = monitor::lineMessage(m_step.bytes(), m_step.placeCount());
            if (!message || !m_aivdm.write(*message, m_pending)) {
                ++m_failedLines;
                report(QStringLiteral("%1:%2: Problem reading AIS data\n").arg(name).arg(lineNumber));
            }
        }
        const int row = m_step.historyRow();
        if (m_format == Format::Csv)
            appendCsvRow(m_pending, m_step.history(), row);
        else if (m_format == Format::Json)
            appendJsonRow(m_pending, m_step.history(), row);
        if (result.saveDue) {
            if (m_format == Format::Saved)
                monitor::appendSavedRecords(m_pending, m_step.history(), row);
            m_step.setHistoryRow(0);
        }
        flushWhenFull();
    }
    if (reader.failed()) {
        report(QStringLiteral("%1: Problem reading data from file (%2)\n").arg(name, input.errorString()));
        return false;
    }
    return true;
}

bool Decoder::finish()
{
    if (m_format == Format::Saved)
        monitor::appendSavedRecords(m_pending, m_step.history(), m_step.historyRow());
    m_step.setHistoryRow(0);
    if (!m_pending.isEmpty() && m_output.write(m_pending) != m_pending.size())
        m_outputFailed = true;
    m_pending.clear();
    return !m_outputFailed;
}

void Decoder::report(const QString &text)
{
    m_errors.write(text.toLocal8Bit());
}

void Decoder::flushWhenFull()
{
    if (m_pending.size() < outputBlock)
        return;
    if (m_output.write(m_pending) != m_pending.size())
        m_outputFailed = true;
    m_pending.clear();
}

} // namespace tb::decode
