// testbox-run's script reader over arbitrary content: a script reads or is refused with errors on
// its own lines, and every send it reads has a frame to send.
#include "run/script.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkSteps(const QList<tb::run::Step> &steps, int lines)
{
    for (const tb::run::Step &step : steps) {
        if (step.line < 1 || step.line > lines)
            std::abort();
        if (step.kind == tb::run::Step::Kind::Send && step.frame.isEmpty())
            std::abort();
        checkSteps(step.body, lines);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const int lines = int(content.count('\n')) + 1;
    const auto result = tb::run::readScript(QStringLiteral("/nonexistent/fuzz.tb"), content);
    if (const auto *errors = std::get_if<QList<tb::run::ScriptError>>(&result)) {
        if (errors->isEmpty())
            std::abort();
        for (const tb::run::ScriptError &error : *errors)
            if (error.line < 1 || error.line > lines || error.message.isEmpty())
                std::abort();
    } else {
        checkSteps(std::get<tb::run::Script>(result).steps, lines);
    }
    return 0;
}
