#include "runner.h"

#include "decode/rowformats.h"
#include "monitor/fieldtexts.h"

#include <QFileDevice>

#include <algorithm>

namespace tb::run {

namespace {

// A line as it can be shown: the bytes of noise as \xHH.
QString printable(const QString &line)
{
    QString text;
    for (QChar c : line) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

QString fieldsText(const ReceivedLine &received)
{
    if (!received.decoded)
        return QStringLiteral("(no AIS message)");
    QStringList parts;
    for (const auto &[name, text] : received.fields)
        parts += QString::fromLatin1(name) + u'=' + text;
    return parts.join(u' ');
}

QString msText(qint64 ms)
{
    return QStringLiteral("%1 ms").arg(ms);
}

} // namespace

bool matches(const Expectation &expectation, const ReceivedLine &received)
{
    if (expectation.kind == Expectation::Kind::Line)
        return expectation.linePattern.match(received.line).hasMatch();
    if (!received.decoded)
        return false;
    for (const FieldMatch &want : expectation.fields) {
        const auto it = std::find_if(received.fields.begin(), received.fields.end(),
                                     [&](const auto &field) { return want.name == QLatin1String(field.first); });
        if (it == received.fields.end())
            return false;
        const bool ok = want.pattern ? want.pattern->match(it->second).hasMatch() : it->second == want.text;
        if (!ok)
            return false;
    }
    return true;
}

Runner::Runner(QList<Script> scripts, std::optional<PortChoice> portOverride, QIODevice &out, QIODevice &err, QObject *parent)
    : QObject(parent),
      m_scripts(std::move(scripts)),
      m_portOverride(std::move(portOverride)),
      m_out(out),
      m_err(err),
      m_decoder(monitor::userDecimalSeparator(), monitor::PaneTexts::NotKept)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_active)
            deadline();
        else
            next();
    });
    connect(&m_link, &TestboxLink::dataArrived, this, &Runner::readPort);
#ifdef Q_OS_WIN
    // Under wine the serial port's arrival notice never comes, and the bytes wait in the driver
    // until somebody reads: read it on a timer as well.
    m_drain.setInterval(20);
    connect(&m_drain, &QTimer::timeout, this, [this] {
        if (m_link.isOpen())
            readPort();
    });
#endif
    connect(&m_link, &TestboxLink::lost, this, [this] {
        const PortChoice port = *m_openPort;
        abort(port.number ? QStringLiteral("port %1 (%2) vanished").arg(port.number).arg(m_link.deviceName())
                          : QStringLiteral("%1 vanished").arg(port.device));
    });
}

void Runner::start()
{
    m_clock.start();
    scheduleNext();
}

void Runner::scheduleNext()
{
    QMetaObject::invokeMethod(this, &Runner::next, Qt::QueuedConnection);
}

bool Runner::beginScript()
{
    const Script &script = m_scripts[m_script];
    const PortChoice port = m_portOverride ? *m_portOverride : *script.port;
    if (m_junit)
        m_junit->beginSuite(script.path);
    m_stack = {Frame {&script.steps}};
    if (m_openPort && m_link.isOpen() && m_openPort->number == port.number && m_openPort->device == port.device)
        return true;
    m_openPort = port;
    const bool opened = port.number ? m_link.open(port.number) : m_link.openDevice(port.device, 0);
    if (!opened) {
        const QString problem = port.number ? QStringLiteral("Can't open port %1").arg(port.number) : QStringLiteral("Can't open %1").arg(port.device);
        if (m_junit)
            m_junit->addCase(QStringLiteral("port"), 0, JUnitReport::Outcome::Error, problem, problem);
        abort(port.number ? QStringLiteral("Can't open port %1%2").arg(port.number).arg(
                                m_link.deviceName().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(m_link.deviceName()))
                          : QStringLiteral("Can't open %1").arg(port.device));
        return false;
    }
    m_buffer.clear();
    m_unseen.clear();
#ifdef Q_OS_WIN
    m_drain.start();
#endif
    return true;
}

void Runner::next()
{
    while (!m_done) {
        if (m_stack.isEmpty()) {
            if (m_script >= 0 && m_junit)
                m_junit->endSuite();
            if (++m_script >= m_scripts.size()) {
                finish(m_failed > 0 ? 1 : 0);
                return;
            }
            if (!beginScript())
                return;
            continue;
        }
        Frame &frame = m_stack.last();
        if (frame.index >= frame.steps->size()) {
            if (!frame.repeat || frame.round >= frame.repeat->count) {
                m_stack.removeLast();
                continue;
            }
            ++frame.round;
            frame.index = 0;
            if (frame.repeat->ms > 0) {
                // Rounds start a period apart; a round that overran starts the next at once.
                const qint64 due = frame.roundStart + frame.repeat->ms;
                frame.roundStart = std::max(due, now());
                if (due > now()) {
                    m_timer.start(int(due - now()));
                    return;
                }
            }
            continue;
        }
        const Step &step = frame.steps->at(frame.index);
        if (step.kind == Step::Kind::Repeat) {
            ++frame.index;
            m_stack += Frame {&step.body, 0, &step, 1, now()};
            continue;
        }
        if (step.kind == Step::Kind::Send && m_lastSend && m_lastNeedsGap && now() - *m_lastSend < frameGapMs) {
            m_timer.start(int(frameGapMs - (now() - *m_lastSend)));
            return;
        }
        ++frame.index;
        runStep(step);
        return;
    }
}

void Runner::runStep(const Step &step)
{
    m_active = &step;
    m_activeStart = now();
    switch (step.kind) {
    case Step::Kind::Send: {
        const bool sent = m_link.send(step.frame);
        m_lastSend = now();
        // An NMEA sentence ends at its NUL; the other frames end only by the quiet line after them.
        m_lastNeedsGap = !(step.frame.startsWith('$') && step.frame.endsWith('\0'));
        if (m_done)
            return; // the port vanished while writing
        if (!sent) {
            abort(QStringLiteral("Problem with com: the frame was not written"));
            return;
        }
        complete(true);
        return;
    }
    case Step::Kind::Wait:
        m_timer.start(int(step.ms));
        return;
    case Step::Kind::Expect:
    case Step::Kind::ExpectNone:
        m_timer.start(int(step.ms));
        checkUnseen();
        return;
    case Step::Kind::Repeat:
        break;
    }
}

void Runner::readPort()
{
    m_buffer.append(m_link.takeReceived());
    while (const auto line = m_buffer.takeLine())
        takeLine(*line);
    checkUnseen();
}

void Runner::takeLine(const QString &line)
{
    ReceivedLine received;
    received.line = line.chopped(2);
    const monitor::StepResult result = m_decoder.run(line, monitor::LinePath::Live);
    if (result.saveDue)
        m_decoder.setHistoryRow(0);
    if (result.outcome == monitor::StepResult::Outcome::Shown) {
        received.decoded = true;
        const int row = m_decoder.historyRow() == 0 ? monitor::HistoryTable::lastRow : m_decoder.historyRow();
        const monitor::HistoryTable &history = m_decoder.history();
        for (const decode::NamedColumn &c : decode::namedColumnsOf(history.cell(row, monitor::MsgIdColumn).toInt()))
            received.fields += {c.name, history.cell(row, c.column)};
    }
    m_recent.push_back(received);
    if (qsizetype(m_recent.size()) > recentLines)
        m_recent.pop_front();
    m_unseen.push_back(std::move(received));
    if (qsizetype(m_unseen.size()) > maxUnseen)
        m_unseen.pop_front();
}

void Runner::checkUnseen()
{
    if (!m_active || (m_active->kind != Step::Kind::Expect && m_active->kind != Step::Kind::ExpectNone))
        return;
    while (!m_unseen.empty()) {
        const ReceivedLine received = std::move(m_unseen.front());
        m_unseen.pop_front();
        for (const Expectation &alternative : m_active->alternatives) {
            if (!matches(alternative, received))
                continue;
            m_timer.stop();
            if (m_active->kind == Step::Kind::Expect)
                complete(true);
            else
                complete(false, QStringLiteral("this came within %1:\n        %2\n          %3")
                                    .arg(msText(m_active->ms), printable(received.line), fieldsText(received)));
            return;
        }
    }
}

void Runner::deadline()
{
    switch (m_active->kind) {
    case Step::Kind::Wait:
    case Step::Kind::ExpectNone:
        complete(true);
        return;
    case Step::Kind::Expect:
        complete(false, QStringLiteral("nothing matched within %1").arg(msText(m_active->ms)));
        return;
    case Step::Kind::Send:
    case Step::Kind::Repeat:
        break;
    }
}

void Runner::complete(bool pass, const QString &why)
{
    const Step &step = *m_active;
    const qint64 took = now() - m_activeStart;
    m_active = nullptr;
    const QString name = QStringLiteral("%1: %2%3").arg(step.line).arg(step.text, rounds());
    print(QStringLiteral("%1  %2  %3%4  (%5)\n")
              .arg(pass ? QStringLiteral("pass") : QStringLiteral("FAIL"), where(step), step.text, rounds(), msText(took)));
    QString detail;
    if (!pass) {
        detail = QStringLiteral("      expected: %1\n      %2\n").arg(step.text, why) + recentText();
        if (!m_logName.isEmpty())
            detail += QStringLiteral("      traffic record: %1\n").arg(m_logName);
        print(detail);
    }
    pass ? ++m_passed : ++m_failed;
    if (m_junit)
        m_junit->addCase(name, took, pass ? JUnitReport::Outcome::Passed : JUnitReport::Outcome::Failed,
                         pass ? QString() : why.section(u'\n', 0, 0), detail);
    scheduleNext();
}

QString Runner::recentText() const
{
    if (m_recent.empty())
        return QStringLiteral("      nothing received yet\n");
    QString text = QStringLiteral("      last %1 received (newest last):\n").arg(m_recent.size() == 1 ? QStringLiteral("line") : QStringLiteral("%1 lines").arg(m_recent.size()));
    for (const ReceivedLine &received : m_recent)
        text += QStringLiteral("        %1\n          %2\n").arg(printable(received.line), fieldsText(received));
    return text;
}

void Runner::abort(const QString &message)
{
    if (m_done)
        return;
    m_timer.stop();
    QString where;
    if (m_active) {
        where = QStringLiteral(" at %1").arg(this->where(*m_active));
        if (m_junit)
            m_junit->addCase(QStringLiteral("%1: %2%3").arg(m_active->line).arg(m_active->text, rounds()),
                             now() - m_activeStart, JUnitReport::Outcome::Error, message, message);
        m_active = nullptr;
    }
    m_err.write(QStringLiteral("testbox-run: %1%2\n").arg(message, where).toLocal8Bit());
    finish(2);
}

void Runner::finish(int exitCode)
{
    if (m_done)
        return;
    m_done = true;
    m_drain.stop();
    m_link.close();
    print(QStringLiteral("%1 passed, %2 failed\n").arg(m_passed).arg(m_failed));
    if (m_junit) {
        QString error;
        if (!m_junit->finish(&error)) {
            m_err.write(QStringLiteral("testbox-run: %1\n").arg(error).toLocal8Bit());
            exitCode = 2;
        }
    }
    emit finished(exitCode);
}

void Runner::print(const QString &text)
{
    m_out.write(text.toUtf8());
    // Standard output into a pipe is buffered by the C library: each step shows as it finishes.
    if (auto *file = qobject_cast<QFileDevice *>(&m_out))
        file->flush();
}

QString Runner::where(const Step &step) const
{
    return QStringLiteral("%1:%2").arg(m_scripts[m_script].path).arg(step.line);
}

QString Runner::rounds() const
{
    QStringList parts;
    for (const Frame &frame : m_stack)
        if (frame.repeat)
            parts += QStringLiteral("%1/%2").arg(frame.round).arg(frame.repeat->count);
    return parts.isEmpty() ? QString() : QStringLiteral(" [%1]").arg(parts.join(u' '));
}

} // namespace tb::run
