// The most memory the test process has held so far, in KiB.
#pragma once

#include <QtGlobal>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace tb::test {

inline qint64 peakMemoryKiB()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return qint64(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

} // namespace tb::test
