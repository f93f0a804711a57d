// Runs read scripts on the Testbox link, one step after another. Waiting is the event loop's: the
// port's notifications bring the lines, single-shot timers end the waits, nothing polls.
//
// An expect looks at the lines no earlier expect has looked at (those that came while sending or
// waiting included), then at each new one as it arrives. A failed step is reported and the script
// goes on; a port that can't be opened or vanishes ends the run.
#pragma once

#include "link/testboxlink.h"
#include "link/trafficlog.h"
#include "monitor/messagestep.h"
#include "monitor/receivebuffer.h"
#include "run/junitreport.h"
#include "run/script.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QObject>
#include <QTimer>

#include <deque>
#include <optional>

namespace tb::run {

// A line from the Testbox as the monitor decodes it.
struct ReceivedLine
{
    QString line; // without its CR LF
    bool decoded = false;
    QList<std::pair<const char *, QString>> fields; // by their JSON names, when decoded
};

bool matches(const Expectation &expectation, const ReceivedLine &received);

class Runner : public QObject
{
    Q_OBJECT
public:
    // Lines kept for a failure's detail.
    static constexpr int recentLines = 5;
    // Lines not yet looked at, at most; past it the oldest go.
    static constexpr qsizetype maxUnseen = 1000;
    // A frame after an AIS message, a DSC call or raw bytes goes at least this long after it, so
    // the Testbox tells them apart by the quiet line between them.
    static constexpr qint64 frameGapMs = 100;

    Runner(QList<Script> scripts, std::optional<PortChoice> portOverride, QIODevice &out, QIODevice &err,
           QObject *parent = nullptr);

    // Optional: the report and the traffic record's name, given before start().
    void setJUnit(JUnitReport *report) { m_junit = report; }
    void setLogName(const QString &name) { m_logName = name; }

    void start();

    int passed() const { return m_passed; }
    int failed() const { return m_failed; }

signals:
    void finished(int exitCode);

private:
    struct Frame
    {
        const QList<Step> *steps;
        qsizetype index = 0;
        const Step *repeat = nullptr;
        int round = 1;
        qint64 roundStart = 0;
    };

    void next();
    void scheduleNext();
    bool beginScript();
    void runStep(const Step &step);
    void readPort();
    void takeLine(const QString &line);
    void checkUnseen();
    void deadline();
    void complete(bool pass, const QString &why = {});
    void abort(const QString &message);
    void finish(int exitCode);
    void print(const QString &text);
    QString where(const Step &step) const;
    QString rounds() const;
    QString recentText() const;
    qint64 now() const { return m_clock.elapsed(); }

    QList<Script> m_scripts;
    std::optional<PortChoice> m_portOverride;
    QIODevice &m_out;
    QIODevice &m_err;
    JUnitReport *m_junit = nullptr;
    QString m_logName;

    TestboxLink m_link;
    std::optional<PortChoice> m_openPort;
    monitor::ReceiveBuffer m_buffer;
    monitor::MessageStep m_decoder;
    std::deque<ReceivedLine> m_unseen;
    std::deque<ReceivedLine> m_recent;

    QElapsedTimer m_clock;
    QTimer m_timer;
    QTimer m_drain;
    qsizetype m_script = -1;
    QList<Frame> m_stack;
    const Step *m_active = nullptr;
    qint64 m_activeStart = 0;
    std::optional<qint64> m_lastSend;
    bool m_lastNeedsGap = false;
    bool m_done = false;
    int m_passed = 0;
    int m_failed = 0;
};

} // namespace tb::run
