#include "engine/StampQueue.h"

#include "platform/Threads.h"

#include <algorithm>
#include <new>

namespace vel {

// The rows one thread stamps, and how far it has come: Next is the first
// batch it has not stamped. Whoever holds Lock stamps the band, so a band
// takes its batches one after the other, in order.
struct alignas(64) StampQueue::Band {
    std::mutex Lock;
    int64_t Next = 0;
    int First = 0;
    int End = 0;
    ConeShape Cone;
};

void StampList::SetBands(int height, int bands)
{
    height_ = std::max(height, 1);
    Stamps.resize(size_t(std::clamp(bands, 1, height_)));
    for (std::vector<QueuedStamp>& band : Stamps)
        band.clear();
    Lost = false;
}

int StampList::BandOf(int64_t row) const
{
    const int64_t bands = int64_t(Stamps.size());
    int64_t band = row * bands / height_;
    while (band + 1 < bands && BandFirst(int(band + 1)) <= row)
        ++band;
    while (band > 0 && BandFirst(int(band)) > row)
        --band;
    return int(band);
}

void StampList::Add(float width, int x, int y)
{
    // The rows the cone may reach, as StampRows reckons them.
    const double reach = double(width) / 2.0 + 1.0;
    const double low = double(y) - reach;
    const double high = double(y) + reach;
    if (!(high >= 0.0 && low < double(height_)))
        return; // no row of the plane (or a width that draws nothing)
    const int from = BandOf(low <= 0.0 ? 0 : int64_t(low));
    const int to = BandOf(high >= double(height_ - 1) ? height_ - 1 : int64_t(high));
    try {
        for (int band = from; band <= to; ++band)
            Stamps[size_t(band)].push_back({width, x, y});
    } catch (const std::bad_alloc&) {
        Lost = true;
    }
}

StampQueue::StampQueue(const FieldPlane& field, const DiskTable& disk, int bands)
    : field_(field), disk_(disk), bandCount_(std::max(bands, 1)), bands_(new Band[size_t(bandCount_)]),
      stamps_(new QueuedStamp[size_t(Batches) * BatchStamps])
{
    field_.Queue = nullptr;
    for (int b = 0; b < bandCount_; ++b) {
        bands_[b].First = int(int64_t(field.Height) * b / bandCount_);
        bands_[b].End = int(int64_t(field.Height) * (b + 1) / bandCount_);
    }
}

StampQueue::~StampQueue() = default;

void StampQueue::Add(float width, int x, int y)
{
    stamps_[size_t(filling_ % Batches) * BatchStamps + size_t(count_)] = {width, x, y};
    if (++count_ < BatchStamps)
        return;
    Publish();
    // The next batch reuses the buffer of batch filling_ - Batches: every
    // band must be past it.
    if (filling_ >= Batches)
        for (int b = 0; b < bandCount_; ++b)
            Catch(bands_[b], filling_ - Batches + 1);
}

void StampQueue::Publish()
{
    counts_[filling_ % Batches] = count_;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        published_ = filling_ + 1;
    }
    signal_.notify_all();
    ++filling_;
    count_ = 0;
}

void StampQueue::Finish()
{
    if (count_ > 0)
        Publish();
    {
        const std::lock_guard<std::mutex> hold(lock_);
        finished_ = true;
    }
    signal_.notify_all();
    for (int b = 0; b < bandCount_; ++b)
        Catch(bands_[b], filling_);
}

// Stamps the band's batches up to (not including) `batches`.
void StampQueue::Catch(Band& band, int64_t batches)
{
    const std::lock_guard<std::mutex> hold(band.Lock);
    for (; band.Next < batches; ++band.Next)
        StampBatch(band, band.Next);
}

void StampQueue::StampBand(int index)
{
    if (index < 0 || index >= bandCount_)
        return;
    Band& band = bands_[index];
    int64_t seen = 0;
    for (;;) {
        int64_t available;
        {
            std::unique_lock<std::mutex> hold(lock_);
            signal_.wait(hold, [&] { return finished_ || published_ > seen; });
            available = published_;
            if (finished_ && seen >= available)
                return;
        }
        const std::lock_guard<std::mutex> hold(band.Lock);
        for (; band.Next < available; ++band.Next)
            StampBatch(band, band.Next);
        seen = band.Next;
    }
}

void StampQueue::StampBatch(Band& band, int64_t batch)
{
    StampRows(field_, band.First, band.End, band.Cone, disk_,
              stamps_.get() + size_t(batch % Batches) * BatchStamps, size_t(counts_[batch % Batches]));
}

void StampRows(const FieldPlane& field, int first, int end, ConeShape& cone, const DiskTable& disk,
               const QueuedStamp* stamps, size_t count)
{
    // The band as a plane of its own: stamps clip to it exactly as to the
    // whole plane, row for row.
    FieldPlane rows = field;
    rows.Queue = nullptr;
    rows.Pixels = field.Pixels + size_t(first) * size_t(field.Width);
    rows.Height = end - first;
    const bool whole = first == 0 && end == field.Height;
    for (size_t i = 0; i < count; ++i) {
        const QueuedStamp& s = stamps[i];
        // A cone reaches ceil(w / 2) - 1 rows from its centre at most; skip
        // the stamps that cannot reach the band.
        if (!whole) {
            const double reach = double(s.Width) / 2.0 + 1.0;
            if (!(double(s.Y) + reach >= double(first) && double(s.Y) - reach < double(end)))
                continue;
        }
        cone.Prepare(disk, s.Width);
        cone.Stamp(rows, s.X, s.Y - first);
    }
}

void DrawWithStampThreads(const FieldPlane& field, const DiskTable& disk,
                          void (*draw)(void* context, const FieldPlane& plane), void* context)
{
    // One thread walks; the others stamp bands of at least 32 rows.
    const int bands = std::min(RenderThreads() - 1, field.Height / 32);
    if (bands < 1 || field.Queue) {
        draw(context, field);
        return;
    }
    std::unique_ptr<StampQueue> queue;
    try {
        queue = std::make_unique<StampQueue>(field, disk, bands);
    } catch (const std::bad_alloc&) {
        draw(context, field); // without memory for the batches, stamp as the walk goes
        return;
    }
    FieldPlane queued = field;
    queued.Queue = queue.get();
    struct Job {
        StampQueue* Queue;
        const FieldPlane* Plane;
        void (*Draw)(void*, const FieldPlane&);
        void* Context;
    } job{queue.get(), &queued, draw, context};
    RunOnThreads(
        bands + 1,
        [](void* c, int index) {
            const Job& j = *static_cast<const Job*>(c);
            if (index == 0) {
                j.Draw(j.Context, *j.Plane);
                j.Queue->Finish();
            } else {
                j.Queue->StampBand(index - 1);
            }
        },
        &job);
}

} // namespace vel
