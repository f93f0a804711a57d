// The JUnit XML report (`--junit FILE`) as Jenkins and GitLab read it: testsuites, a testsuite per
// script, a testcase per step run (each round of a repeat its own), a failure with its message and
// the detail as text, an error for the step a run was cut short at. Cases go to a temporary file
// as they finish, so a long run keeps no report in memory; finish() writes FILE whole.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryFile>

#include <optional>

namespace tb::run {

class JUnitReport
{
public:
    enum class Outcome { Passed, Failed, Error };

    // False with the reason when the temporary files can't be made.
    bool open(const QString &path, QString *error);
    bool isOpen() const { return m_cases.isOpen(); }

    void beginSuite(const QString &name);
    void addCase(const QString &name, qint64 ms, Outcome outcome, const QString &message = {}, const QString &detail = {});
    void endSuite();
    // Ends an open suite and writes FILE; false with the reason when it can't.
    bool finish(QString *error);

    // Characters XML 1.0 can't hold (control characters from a noisy line) as \xHH.
    static QString xmlSafe(const QString &text);

private:
    QString m_path;
    QTemporaryFile m_cases;  // of the suite going on
    QTemporaryFile m_suites; // the suites done
    QString m_suite;
    bool m_inSuite = false;
    int m_tests = 0, m_failures = 0, m_errors = 0;
    qint64 m_ms = 0;
    int m_allTests = 0, m_allFailures = 0, m_allErrors = 0;
    qint64 m_allMs = 0;
};

} // namespace tb::run
