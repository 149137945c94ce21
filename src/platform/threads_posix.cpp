#include "platform/Threads.h"

#include <pthread.h>
#include <unistd.h>

#include <climits>

namespace vel {

int MachineProcessors()
{
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? int(std::min<long>(online, MaxRenderThreads)) : 1;
}

namespace {

constexpr size_t StackBytes = 256 * 1024;

struct Start {
    void (*Work)(void*, int);
    void* Context;
    int Index;
};

void* Run(void* argument)
{
    const Start& start = *static_cast<const Start*>(argument);
    start.Work(start.Context, start.Index);
    return nullptr;
}

} // namespace

void RunOnThreads(int count, void (*work)(void* context, int index), void* context)
{
    count = std::clamp(count, 0, MaxRenderThreads);
    Start starts[MaxRenderThreads];
    pthread_t threads[MaxRenderThreads];
    bool started[MaxRenderThreads] = {};
    pthread_attr_t attributes;
    const bool small = pthread_attr_init(&attributes) == 0;
    if (small)
        pthread_attr_setstacksize(&attributes, std::max<size_t>(StackBytes, PTHREAD_STACK_MIN));
    for (int i = 1; i < count; ++i) {
        starts[i] = {work, context, i};
        started[i] = pthread_create(&threads[i], small ? &attributes : nullptr, Run, &starts[i]) == 0;
    }
    if (small)
        pthread_attr_destroy(&attributes);
    if (count > 0)
        work(context, 0);
    for (int i = 1; i < count; ++i)
        if (!started[i])
            work(context, i);
    for (int i = 1; i < count; ++i)
        if (started[i])
            pthread_join(threads[i], nullptr);
}

} // namespace vel
