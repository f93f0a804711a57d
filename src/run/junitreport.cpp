#include "junitreport.h"

#include <QSaveFile>
#include <QXmlStreamWriter>

namespace tb::run {

namespace {

QByteArray attribute(const char *name, const QString &value)
{
    return QByteArray(" ") + name + "=\"" + JUnitReport::xmlSafe(value).toHtmlEscaped().toUtf8() + '"';
}

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000, 'f', 3);
}

bool copyAll(QFile &from, QIODevice &to)
{
    if (!from.seek(0))
        return false;
    while (!from.atEnd()) {
        const QByteArray chunk = from.read(64 * 1024);
        if (chunk.isEmpty() || to.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

} // namespace

QString JUnitReport::xmlSafe(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF || c.isSurrogate())
            safe += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            safe += c;
    }
    return safe;
}

bool JUnitReport::open(const QString &path, QString *error)
{
    m_path = path;
    if (!m_cases.open() || !m_suites.open()) {
        *error = QStringLiteral("Problem making the report's temporary files (%1)").arg(m_cases.errorString());
        return false;
    }
    return true;
}

void JUnitReport::beginSuite(const QString &name)
{
    if (!isOpen())
        return;
    m_suite = name;
    m_inSuite = true;
    m_tests = m_failures = m_errors = 0;
    m_ms = 0;
    m_cases.resize(0);
    m_cases.seek(0);
}

void JUnitReport::addCase(const QString &name, qint64 ms, Outcome outcome, const QString &message, const QString &detail)
{
    if (!isOpen() || !m_inSuite)
        return;
    QXmlStreamWriter xml(&m_cases);
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("name"), xmlSafe(name));
    xml.writeAttribute(QStringLiteral("classname"), xmlSafe(m_suite));
    xml.writeAttribute(QStringLiteral("time"), seconds(ms));
    if (outcome != Outcome::Passed) {
        xml.writeStartElement(outcome == Outcome::Failed ? QStringLiteral("failure") : QStringLiteral("error"));
        xml.writeAttribute(QStringLiteral("message"), xmlSafe(message));
        xml.writeCharacters(xmlSafe(detail));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeCharacters(QStringLiteral("\n"));
    ++m_tests;
    m_failures += outcome == Outcome::Failed;
    m_errors += outcome == Outcome::Error;
    m_ms += ms;
}

void JUnitReport::endSuite()
{
    if (!isOpen() || !m_inSuite)
        return;
    m_inSuite = false;
    QByteArray head = "  <testsuite" + attribute("name", m_suite) + attribute("tests", QString::number(m_tests))
        + attribute("failures", QString::number(m_failures)) + attribute("errors", QString::number(m_errors))
        + attribute("time", seconds(m_ms)) + ">\n";
    m_suites.write(head);
    copyAll(m_cases, m_suites);
    m_suites.seek(m_suites.size());
    m_suites.write("  </testsuite>\n");
    m_allTests += m_tests;
    m_allFailures += m_failures;
    m_allErrors += m_errors;
    m_allMs += m_ms;
}

bool JUnitReport::finish(QString *error)
{
    if (!isOpen())
        return true;
    endSuite();
    QSaveFile file(m_path);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + attribute("name", QStringLiteral("testbox-run"))
                      + attribute("tests", QString::number(m_allTests)) + attribute("failures", QString::number(m_allFailures))
                      + attribute("errors", QString::number(m_allErrors)) + attribute("time", seconds(m_allMs)) + ">\n")
            > 0
        && copyAll(m_suites, file) && file.write("</testsuites>\n") > 0 && file.commit();
    if (!written)
        *error = QStringLiteral("Problem writing %1 (%2)").arg(m_path, file.errorString());
    return written;
}

} // namespace tb::run
