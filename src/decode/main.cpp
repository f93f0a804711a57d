// testbox-decode: decodes Testbox dump files as the AIS Monitor does, without a display.
#include "common/binarystreams.h"
#include "decode/decodeoptions.h"
#include "decode/decoder.h"
#include "monitor/fieldtexts.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    // The saved format writes its own CR LF and dumps are read as bytes.
    tb::useBinaryStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("testbox-decode"));
    QFile errors;
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QFile output;
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);

    const auto parsed = tb::decode::parseOptions(QCoreApplication::arguments());
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        errors.write(QStringLiteral("testbox-decode: %1\nTry 'testbox-decode --help'.\n").arg(*problem).toLocal8Bit());
        return 2;
    }
    const tb::decode::Options &options = std::get<tb::decode::Options>(parsed);
    if (options.help) {
        output.write(tb::decode::usageText().toLocal8Bit());
        return 0;
    }
    if (options.version) {
        output.write(tb::decode::versionText().toLocal8Bit());
        return 0;
    }

    tb::decode::Decoder decoder(options.format, tb::monitor::userDecimalSeparator(), output, errors);
    bool allRead = true;
    for (const QString &file : options.files)
        allRead = decoder.decodeFile(file) && allRead;
    if (!decoder.finish()) {
        errors.write(QStringLiteral("testbox-decode: Problem writing the output (%1)\n").arg(output.errorString()).toLocal8Bit());
        return 2;
    }
    if (!allRead)
        return 2;
    return decoder.failedLines() > 0 ? 1 : 0;
}
