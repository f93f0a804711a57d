// A received line through the whole decoding path: parse, field texts, pane texts with their
// trimming and the saved record. The monitor's state carries over from input to input, as it
// does from line to line. The first byte chooses the path (live or dump file).
#include "common/textfiles.h"
#include "monitor/messagestep.h"
#include "monitor/savedtext.h"

#include <cstdint>
#include <cstdlib>

using namespace tb::monitor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static MessageStep step(QLatin1Char(','));
    if (size == 0)
        return 0;
    const LinePath path = data[0] & 1 ? LinePath::DumpFile : LinePath::Live;
    const QString line = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const StepResult result = step.run(line, path);
    if (result.outcome == StepResult::Outcome::Shown) {
        // Every saved record must go into the 8-bit file.
        const QString record = savedRecord(step.history(), step.historyRow());
        if (!tb::toEightBit(record))
            std::abort();
    }
    if (result.saveDue) {
        for (const QString &record : savedRecords(step.history(), step.historyRow()))
            if (!tb::toEightBit(record))
                std::abort();
        step.setHistoryRow(0);
    }
    return 0;
}
