#include "engine/ParallelLines.h"

#include "engine/LineStamper.h"
#include "engine/RenderState.h"
#include "engine/StampQueue.h"
#include "numeric/PortableMath.h"
#include "platform/Threads.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace vel {
namespace {

// Notifies progress on every line whose position crosses a multiple of 5.
void ReportLine(const RenderState& state, float t, int extent, int ink)
{
    const int position = TruncateToInt(t);
    if (position % 5 != 0)
        return;
    const int64_t done = std::max<int64_t>(0, int64_t(ink) * extent + position);
    ReportProgress(state, float(done), float(int64_t(state.Inks.InkCount) * extent));
}

// Calls visit(t, line) for every line of the pattern, in order.
template <typename Visit>
void ForEachLine(const RenderState& state, const PatternQuantities& pattern, int waveType, int ink,
                 Visit&& visit)
{
    const float ca = pattern.Cos;
    const float sa = pattern.Sin;
    const int extent = pattern.Extent;

    float t = state.Inks.InkCount <= 1 ? pattern.Offset : float(ink) * pattern.Offset;
    t = t - pattern.AmplitudeExtent;

    // Lines keep their place in the image while the preview scrolls: the
    // scroll offset, turned into the pattern's frame, moves the wave origin
    // along the lines and the first line across them.
    const float along = pattern.ScrollX * ca + pattern.ScrollY * sa;
    const float across = pattern.ScrollY * ca - pattern.ScrollX * sa;
    const float anchor = std::fmod(across, pattern.Step);
    const float half = float(extent) / 2.0f;

    StamperInputs line;
    line.ContrastPositive = pattern.ContrastPositive;
    line.ContrastWidth = pattern.ContrastWidth;
    line.CircleSpacing = pattern.CircleSpacing;
    line.WaveType = waveType;
    line.Amplitude = pattern.Amplitude;
    line.Frequency = pattern.LineFrequency;
    line.Phase = pattern.Phase;
    line.Relief = pattern.Relief;
    line.DirX = ca;
    line.DirY = sa;
    line.Width = pattern.LineWidth;
    line.Threshold = pattern.Threshold;
    line.Jitter = pattern.Noise;

    // A point at u along the line and v across it lies at
    // (hx + ca u - sa v, hy + sa u + ca v).
    const auto toX = [&](float u, float v) { return pattern.HalfWidth + ca * u - sa * v; };
    const auto toY = [&](float u, float v) { return pattern.HalfHeight + sa * u + ca * v; };
    for (; t <= float(extent); t = t + pattern.Step) {
        const float v = t - anchor - half;
        line.StartX = toX(-half, v);
        line.StartY = toY(-half, v);
        line.EndX = toX(half, v);
        line.EndY = toY(half, v);
        line.ReferenceX = toX(-half - along, v);
        line.ReferenceY = toY(-half - along, v);
        visit(t, line);
        if (t + pattern.Step == t)
            break; // beyond float resolution the loop would never end
    }
}

// The lines walked by several threads. Each line draws a known number of
// values from the random sequence, so its first value is known before the
// lines ahead of it are walked: the sequence is skipped forward to it, and
// every step gets the value it gets in the serial walk. The lines are taken
// in chunks of about ChunkDraws steps: the threads walk the chunk's lines
// into their own stamp lists, sorted by bands of rows, then stamp the bands
// (stamps combine by maximum, so the order does not matter). There are a
// few bands for every thread, taken in turn by whichever thread is free, so
// a thread that starts late or runs slowly does not hold up the others.
// A band's cone, on cache lines of its own.
struct alignas(64) BandCone {
    ConeShape Cone;
};

class ThreadedLines {
  public:
    static constexpr int64_t ChunkDraws = int64_t(1) << 18;
    static constexpr int BandsPerThread = 4;
    static constexpr int MinBandRows = 32;

    ThreadedLines(RenderState& state, const FieldPlane& field, int threads, int extent, int ink)
        : state_(state), field_(field), threads_(threads), extent_(extent), ink_(ink), cursor_(state.Random),
          bands_(std::clamp(field.Height / MinBandRows, 1, BandsPerThread * threads)),
          lists_(size_t(threads)), cones_(size_t(threads))
    {
        for (StampList& list : lists_)
            list.SetBands(field.Height, bands_);
    }

    void Add(float t, const StamperInputs& line)
    {
        const int64_t draws = LineStamperDraws(state_, line);
        try {
            tasks_.push_back({line, cursor_, t, draws});
        } catch (const std::bad_alloc&) {
            // No memory to queue the line: walk what is queued, then this
            // line alone on this thread, stamping as it goes.
            Run();
            ReportLine(state_, t, extent_, ink_);
            LineStamper(state_, field_, line, cursor_);
            return;
        }
        SkipRandom(cursor_, uint64_t(draws));
        draws_ += draws;
        if (draws_ >= ChunkDraws)
            Run();
    }

    // Walks what is left and leaves the render's sequence where the serial
    // walk leaves it.
    void Finish()
    {
        Run();
        state_.Random = cursor_;
    }

  private:
    struct Task {
        StamperInputs Line;
        RandomSequence Random;
        float T;
        int64_t Draws;
    };

    void Run()
    {
        if (tasks_.empty())
            return;
        for (const Task& task : tasks_)
            ReportLine(state_, task.T, extent_, ink_);
        // The longest lines first, so that the threads run out of work at
        // about the same time.
        std::sort(tasks_.begin(), tasks_.end(),
                  [](const Task& a, const Task& b) { return a.Draws > b.Draws; });
        std::atomic<size_t> next{0};
        RunBands(threads_, threads_, [&](int thread, int64_t, int64_t) {
            FieldPlane plane = field_;
            plane.Queue = &lists_[size_t(thread)];
            for (size_t i = next++; i < tasks_.size(); i = next++) {
                RandomSequence random = tasks_[i].Random;
                LineStamper(state_, plane, tasks_[i].Line, random);
            }
        });
        bool lost = false;
        for (const StampList& list : lists_)
            lost = lost || list.Lost;
        if (lost) {
            // A list ran out of memory: walk the chunk again on this thread,
            // stamping as it goes (nothing of the chunk is stamped yet).
            for (StampList& list : lists_) {
                for (std::vector<QueuedStamp>& band : list.Stamps)
                    std::vector<QueuedStamp>().swap(band);
                list.Lost = false;
            }
            for (const Task& task : tasks_) {
                RandomSequence random = task.Random;
                LineStamper(state_, field_, task.Line, random);
            }
        } else {
            std::atomic<int> nextBand{0};
            RunBands(threads_, threads_, [&](int thread, int64_t, int64_t) {
                for (int band = nextBand++; band < bands_; band = nextBand++) {
                    const StampList& bounds = lists_.front();
                    const int first = bounds.BandFirst(band);
                    const int end = band + 1 < bands_ ? bounds.BandFirst(band + 1) : field_.Height;
                    for (const StampList& list : lists_) {
                        const std::vector<QueuedStamp>& stamps = list.Stamps[size_t(band)];
                        StampRows(field_, first, end, cones_[size_t(thread)].Cone, state_.Disk, stamps.data(),
                                  stamps.size());
                    }
                }
            });
        }
        for (StampList& list : lists_)
            for (std::vector<QueuedStamp>& band : list.Stamps)
                band.clear();
        tasks_.clear();
        draws_ = 0;
    }

    RenderState& state_;
    const FieldPlane& field_;
    int threads_;
    int extent_;
    int ink_;
    RandomSequence cursor_; // where the next line starts drawing
    int bands_;
    std::vector<Task> tasks_;
    int64_t draws_ = 0;
    std::vector<StampList> lists_;
    std::vector<BandCone> cones_;
};

} // namespace

void DrawParallelLines(RenderState& state, const FieldPlane& field, const PatternQuantities& pattern,
                       int waveType, int ink)
{
    const int extent = pattern.Extent;
    const int threads = field.Queue ? 1 : std::min(RenderThreads(), field.Height / 32);
    std::unique_ptr<ThreadedLines> lines;
    if (threads > 1) {
        try {
            lines = std::make_unique<ThreadedLines>(state, field, threads, extent, ink);
        } catch (const std::bad_alloc&) {
        }
    }
    if (!lines) {
        ForEachLine(state, pattern, waveType, ink, [&](float t, const StamperInputs& line) {
            ReportLine(state, t, extent, ink);
            LineStamper(state, field, line);
        });
        return;
    }
    ForEachLine(state, pattern, waveType, ink,
                [&](float t, const StamperInputs& line) { lines->Add(t, line); });
    lines->Finish();
}

} // namespace vel
