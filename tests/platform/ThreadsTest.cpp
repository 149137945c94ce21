#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace vel {
namespace {

// Sets the render's thread count for the life of the object.
class RenderThreadsFor {
  public:
    explicit RenderThreadsFor(int count) { SetRenderThreads(count); }
    ~RenderThreadsFor() { SetRenderThreads(0); }
};

TEST(Threads, CountsParseAndClampAndTheSetCountWins)
{
    struct Case {
        const char* Text;
        int Count;
    };
    const Case cases[] = {{"1", 1},
                          {"4", 4},
                          {"16", MaxRenderThreads},
                          {"1000", MaxRenderThreads},
                          {"0", 0},
                          {"-2", 0},
                          {"", 0},
                          {"3x", 0},
                          {"two", 0},
                          {" 2", 0},
                          {nullptr, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseThreadCount(c.Text), c.Count) << (c.Text ? c.Text : "null");

    const int machine = RenderThreads();
    EXPECT_GE(machine, 1);
    EXPECT_LE(machine, MaxRenderThreads);
    {
        const RenderThreadsFor three(3);
        EXPECT_EQ(RenderThreads(), 3);
    }
    EXPECT_EQ(RenderThreads(), machine);
}

TEST(Threads, EveryIndexRunsOnceAndTheFirstOnTheCallingThread)
{
    for (int count : {0, 1, 2, 5, MaxRenderThreads}) {
        std::vector<std::atomic<int>> runs(size_t(count) + 1);
        struct Context {
            std::vector<std::atomic<int>>* Runs;
            std::thread::id Caller;
            bool FirstOnCaller = false;
        } context{&runs, std::this_thread::get_id()};
        RunOnThreads(
            count,
            [](void* c, int index) {
                auto& ctx = *static_cast<Context*>(c);
                ++(*ctx.Runs)[size_t(index)];
                if (index == 0)
                    ctx.FirstOnCaller = std::this_thread::get_id() == ctx.Caller;
            },
            &context);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(runs[size_t(i)], 1) << count << " threads, index " << i;
        EXPECT_EQ(runs[size_t(count)], 0);
        EXPECT_TRUE(count == 0 || context.FirstOnCaller) << count;
    }
}

// Bands cover every row exactly once, in consecutive runs, whatever the
// sizes: one row, fewer rows than threads, rows that do not divide evenly.
TEST(Threads, BandsCoverEveryRowOnceAtAwkwardSizes)
{
    struct Case {
        int Threads;
        int64_t Rows;
        int64_t Grain;
        int Bands;
    };
    const Case cases[] = {
        {1, 1000, 1, 1}, {4, 0, 1, 0},   {4, 1, 1, 1},   {4, 3, 1, 3},    {4, 7, 1, 4},
        {3, 10, 1, 3},   {2, 31, 16, 1}, {2, 32, 16, 2}, {8, 100, 16, 6}, {16, 5, 1, 5},
        {4, 4096, 1, 4}, {2, 1, 16, 1},  {4, 17, 16, 1}, {4, 65, 16, 4},  {16, 1 << 20, 1, 16},
    };
    for (const Case& c : cases) {
        const RenderThreadsFor threads(c.Threads);
        EXPECT_EQ(BandCount(c.Rows, c.Grain), c.Bands) << c.Threads << " threads, " << c.Rows << " rows";
        std::vector<int> seen(size_t(c.Rows), 0);
        std::mutex lock;
        std::vector<int> bandsSeen;
        ForEachBand(
            c.Rows,
            [&](int band, int64_t first, int64_t end) {
                EXPECT_LT(first, end);
                for (int64_t y = first; y < end; ++y)
                    ++seen[size_t(y)];
                const std::lock_guard<std::mutex> hold(lock);
                bandsSeen.push_back(band);
            },
            c.Grain);
        for (int64_t y = 0; y < c.Rows; ++y)
            ASSERT_EQ(seen[size_t(y)], 1) << c.Threads << " threads, " << c.Rows << " rows, row " << y;
        EXPECT_EQ(int(bandsSeen.size()), c.Bands) << c.Threads << " threads, " << c.Rows << " rows";
    }
}

} // namespace
} // namespace vel
