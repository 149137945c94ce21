#include "platform/Threads.h"

#include <atomic>
#include <cstdlib>

namespace vel {

int MachineProcessors(); // threads_posix.cpp, threads_win32.cpp

namespace {

std::atomic<int> chosenThreads{0};

} // namespace

int ParseThreadCount(const char* text)
{
    if (!text || *text < '0' || *text > '9')
        return 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1)
        return 0;
    return int(std::min<long>(value, MaxRenderThreads));
}

void SetRenderThreads(int count)
{
    chosenThreads = std::clamp(count, 0, MaxRenderThreads);
}

int RenderThreads()
{
    if (const int chosen = chosenThreads; chosen > 0)
        return chosen;
    if (const int variable = ParseThreadCount(std::getenv("VELLISTO_THREADS")); variable > 0)
        return variable;
    return std::clamp(MachineProcessors(), 1, MaxRenderThreads);
}

int BandCount(int64_t rows, int64_t grain)
{
    if (rows <= 0)
        return 0;
    const int64_t byGrain = std::max<int64_t>(1, rows / std::max<int64_t>(grain, 1));
    return int(std::min<int64_t>(RenderThreads(), byGrain));
}

} // namespace vel
