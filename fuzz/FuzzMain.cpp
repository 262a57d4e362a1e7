// One libFuzzer program per target: QG_FUZZ_TARGET names the entry it drives. A check that
// fails aborts, so that libFuzzer keeps the input as a crash.

#include "fuzz/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Fuzz::Target* target = Fuzz::FindTarget(QStringLiteral(QG_FUZZ_TARGET));
    if (!target) std::abort();
    const QString problem = target->entry(data, size);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "fuzz %s: %s\n", QG_FUZZ_TARGET, problem.toLocal8Bit().constData());
        std::abort();
    }
    return 0;
}
