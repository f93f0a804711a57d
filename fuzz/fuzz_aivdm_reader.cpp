// The !AIVDM reader over arbitrary lines, state kept across inputs: a message it gives has a
// type and whole bytes, written out again it reads back the same, and what it keeps stays bounded.
#include "monitor/aivdm.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

tb::monitor::AivdmReader reader;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tb::monitor;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &line : input.split('\n')) {
        const SentenceResult r = reader.read(line);
        if (r.status != SentenceStatus::Message)
            continue;
        const AisMessage &m = r.message;
        if (m.bitCount <= 0 || m.bytes.size() != (m.bitCount + 7) / 8)
            std::abort();
        AivdmWriter writer;
        const QByteArray out = writer.sentences(m);
        if (out.isEmpty())
            continue; // more than nine sentences' worth
        AivdmReader back;
        SentenceResult again;
        for (const QByteArray &sentence : out.split('\n')) {
            if (sentence.isEmpty())
                continue;
            if (sentence.size() + 1 > maxSentenceLength)
                std::abort();
            again = back.read(sentence);
        }
        if (again.status != SentenceStatus::Message || !(again.message == m))
            std::abort();
    }
    return 0;
}
