#pragma once
// Stamping beside the walk. The walk that draws from the random sequence
// stays on one thread, in its order; the stamps it produces go into bounded
// batches, and other threads stamp each batch into their own band of field
// rows. Stamps combine by maximum, so the order in which the bands take them
// does not change a pixel.

#include "engine/ConeStamp.h"
#include "engine/DiskTable.h"
#include "engine/FieldPlane.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vel {

// One stamp: a cone of width Width centred on field pixel (X, Y).
struct QueuedStamp {
    float Width;
    int X;
    int Y;
};

// Stamps `count` stamps into rows first..end-1 of the field (with `cone`
// kept prepared between stamps of one width): the pixels of those rows come
// out as if every stamp had been stamped into the whole plane.
void StampRows(const FieldPlane& field, int first, int end, ConeShape& cone, const DiskTable& disk,
               const QueuedStamp* stamps, size_t count);

// The stamps of one thread's walks, sorted by the bands of rows they reach
// for stamping band by band. Each list has cache lines of its own: the
// threads append to neighbouring lists all the time.
class alignas(64) StampList final : public StampSink {
  public:
    // Splits rows 0..height-1 into `bands` bands as RunBands does (band b
    // starts at row height × b / bands) and empties the list.
    void SetBands(int height, int bands);
    int BandFirst(int band) const { return int(int64_t(height_) * band / int64_t(Stamps.size())); }

    // Keeps the stamp in every band its cone can reach (those StampRows
    // would not skip for it); without memory for it, only notes the loss
    // (Lost).
    void Add(float width, int x, int y) override;

    std::vector<std::vector<QueuedStamp>> Stamps; // by band
    bool Lost = false;

  private:
    int BandOf(int64_t row) const;

    int height_ = 0;
};

class StampQueue final : public StampSink {
  public:
    // Stamps per batch and batches in flight: about 0.8 MB at most.
    static constexpr int BatchStamps = 16384;
    static constexpr int Batches = 4;

    StampQueue(const FieldPlane& field, const DiskTable& disk, int bands);
    ~StampQueue();

    // The walking thread's side: queues one stamp. Waits for (or does) the
    // stamping of the oldest batch when every batch is in use.
    void Add(float width, int x, int y) override;

    // The walking thread's side, after the walk: hands over the last batch
    // and stamps what no band thread has taken yet.
    void Finish();

    // A band thread's side: stamps every batch into its band until Finish.
    void StampBand(int band);

  private:
    struct Band;

    void Publish();
    void Catch(Band& band, int64_t batches);
    void StampBatch(Band& band, int64_t batch);

    FieldPlane field_;
    const DiskTable& disk_;
    int bandCount_;
    std::unique_ptr<Band[]> bands_;
    std::unique_ptr<QueuedStamp[]> stamps_; // Batches × BatchStamps
    int counts_[Batches] = {};
    int64_t filling_ = 0; // the batch the walk writes into
    int count_ = 0;       // stamps in it so far

    std::mutex lock_; // guards published_ and finished_
    std::condition_variable signal_;
    int64_t published_ = 0;
    bool finished_ = false;
};

// Runs draw(context, plane): with more than one render thread the stamps of
// the walk go through a StampQueue to band threads (plane.Queue is set);
// with one, or a plane too small to split, draw stamps straight into the
// field on the calling thread.
void DrawWithStampThreads(const FieldPlane& field, const DiskTable& disk,
                          void (*draw)(void* context, const FieldPlane& plane), void* context);

// Stamps a cone of width w at (x, y): through the plane's queue when it has
// one, otherwise at once with `cone` (prepared for w first).
inline void StampCone(const FieldPlane& field, ConeShape& cone, const DiskTable& disk, float w, int x, int y)
{
    if (field.Queue) {
        field.Queue->Add(w, x, y);
        return;
    }
    cone.Prepare(disk, w);
    cone.Stamp(field, x, y);
}

} // namespace vel
