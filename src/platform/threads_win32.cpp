#include "platform/Threads.h"

#include <windows.h>

#include <process.h>

namespace vel {

int MachineProcessors()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? int(std::min<DWORD>(info.dwNumberOfProcessors, MaxRenderThreads))
                                         : 1;
}

namespace {

// Reserved, not committed: the stack takes this much address space at most.
constexpr unsigned StackBytes = 256 * 1024;

struct Start {
    void (*Work)(void*, int);
    void* Context;
    int Index;
};

unsigned __stdcall Run(void* argument)
{
    const Start& start = *static_cast<const Start*>(argument);
    start.Work(start.Context, start.Index);
    return 0;
}

} // namespace

void RunOnThreads(int count, void (*work)(void* context, int index), void* context)
{
    count = std::clamp(count, 0, MaxRenderThreads);
    Start starts[MaxRenderThreads];
    HANDLE threads[MaxRenderThreads] = {};
    for (int i = 1; i < count; ++i) {
        starts[i] = {work, context, i};
        threads[i] = reinterpret_cast<HANDLE>(
            _beginthreadex(nullptr, StackBytes, Run, &starts[i], STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    }
    if (count > 0)
        work(context, 0);
    for (int i = 1; i < count; ++i)
        if (!threads[i])
            work(context, i);
    for (int i = 1; i < count; ++i)
        if (threads[i]) {
            WaitForSingleObject(threads[i], INFINITE);
            CloseHandle(threads[i]);
        }
}

} // namespace vel
