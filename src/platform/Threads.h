#pragma once
// The threads of a render. Every thread starts inside one call and is joined
// before that call returns (a host may unload the module as soon as it gets
// control back), and each has a small stack, so that a 32-bit host's address
// space is not spent on reservations.

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace vel {

// The most threads a render uses, whatever the machine or the settings say.
constexpr int MaxRenderThreads = 16;

// The thread count of a render: the value given to SetRenderThreads when it
// is 1 or more, else VELLISTO_THREADS when it holds a number 1 or more, else
// the machine's processor count; always 1..MaxRenderThreads. With 1 every
// step runs on the calling thread, in the order it always had.
int RenderThreads();

// Sets the count RenderThreads returns; 0 gives the choice back to the
// variable and the machine.
void SetRenderThreads(int count);

// Parses a thread count: 1..MaxRenderThreads (larger values give the
// maximum); anything else gives 0.
int ParseThreadCount(const char* text);

// Runs work(context, index) for every index 0..count-1: index 0 on the
// calling thread, the others on threads started for this call and joined
// before it returns. An index whose thread cannot start runs on the calling
// thread after index 0, so the work is always done.
void RunOnThreads(int count, void (*work)(void* context, int index), void* context);

// Runs body(band, first, end) over the bands of rows 0..rows-1, one band a
// thread: bands are consecutive, cover every row once, and hold at least
// `grain` rows each (so small planes use fewer threads). With one band the
// body runs once, on the calling thread, over all rows.
int BandCount(int64_t rows, int64_t grain = 16);

// ForEachBand with a band count chosen beforehand (1..MaxRenderThreads),
// for callers that size per-band scratch by it.
template <typename Body> void RunBands(int bands, int64_t rows, Body&& body)
{
    bands = int(std::clamp<int64_t>(std::min<int64_t>(bands, rows), 0, MaxRenderThreads));
    if (bands <= 1) {
        if (rows > 0)
            body(0, int64_t(0), rows);
        return;
    }
    struct Job {
        std::remove_reference_t<Body>* Work;
        int64_t Rows;
        int Bands;
    } job{&body, rows, bands};
    RunOnThreads(
        bands,
        [](void* context, int band) {
            const Job& j = *static_cast<const Job*>(context);
            const int64_t first = j.Rows * band / j.Bands;
            const int64_t end = j.Rows * (band + 1) / j.Bands;
            (*j.Work)(band, first, end);
        },
        &job);
}

template <typename Body> void ForEachBand(int64_t rows, Body&& body, int64_t grain = 16)
{
    RunBands(BandCount(rows, grain), rows, body);
}

} // namespace vel
