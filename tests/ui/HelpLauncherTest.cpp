// The help launcher: which file a request opens, and that a launch never
// blocks the caller and drops requests made while it runs.

#include "ui/help/HelpLauncher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace vel::ui {
namespace {

TEST(HelpLauncher, RequestsOpenTheirPages)
{
    EXPECT_EQ(HelpPathFor("C:\\P\\VellistoIII\\Help\\", ContextHelpRequest + 2),
              "C:\\P\\VellistoIII\\Help\\vellisto_effects.html");
    EXPECT_STREQ(HelpFileFor(ContextHelpRequest), "vellisto_engrave.html");
    EXPECT_STREQ(HelpFileFor(ContextHelpRequest + 1), "vellisto_randomize.html");
    EXPECT_STREQ(HelpFileFor(ManualHelpRequest), "vellistoIIImanual.html");
    EXPECT_STREQ(HelpFileFor(ContextHelpRequest + 3), "vellistoIIImanual.html");
    EXPECT_STREQ(HelpFileFor(5), "vellistoIIImanual.html");
}

// The shipped help folder holds every page a request opens, and the pages'
// links between each other lead to shipped pages.
TEST(HelpLauncher, EveryRequestedPageShipsAndItsLinksResolve)
{
    const std::string folder = std::string(VEL_SOURCE_DIR) + "/data/VellistoIII/Help/";
    for (int request :
         {ManualHelpRequest, ContextHelpRequest, ContextHelpRequest + 1, ContextHelpRequest + 2}) {
        std::ifstream page(HelpPathFor(folder, request), std::ios::binary);
        ASSERT_TRUE(page) << HelpFileFor(request);
        std::stringstream text;
        text << page.rdbuf();
        const std::string html = text.str();
        for (size_t at = html.find("href=\""); at != std::string::npos; at = html.find("href=\"", at + 1)) {
            const size_t begin = at + 6;
            const std::string target = html.substr(begin, html.find('"', begin) - begin);
            std::ifstream linked(folder + target, std::ios::binary);
            EXPECT_TRUE(linked) << HelpFileFor(request) << " links " << target;
        }
    }
}

// An opener that holds until released, like a browser that is slow to start.
// It polls rather than waits on a condition, which stays reliable under Wine.
struct SlowOpener {
    std::mutex Lock;
    std::atomic<bool> Released{false};
    std::vector<std::string> Opened;

    void Open(const std::string& target)
    {
        {
            std::lock_guard<std::mutex> lock(Lock);
            Opened.push_back(target);
        }
        while (!Released.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void Release() { Released.store(true); }
    // The launches seen so far, waiting up to 30 s for the first: a loaded
    // machine may take a while to start the launcher's thread.
    size_t Count()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard<std::mutex> lock(Lock);
                if (!Opened.empty())
                    return Opened.size();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return 0;
    }
    std::vector<std::string> Targets()
    {
        std::lock_guard<std::mutex> lock(Lock);
        return Opened;
    }
};

bool WaitIdle(const HelpLauncher& launcher)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (launcher.Busy() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !launcher.Busy();
}

TEST(HelpLauncher, ReturnsAtOnceAndDropsRequestsWhileALaunchRuns)
{
    auto opener = std::make_shared<SlowOpener>();
    HelpLauncher launcher([opener](const std::string& target) { opener->Open(target); });
    const std::string folder = "/help/";
    // Returning here while the opener still waits is the point: a caller
    // that blocked would never get past this line.
    EXPECT_TRUE(launcher.OpenHelp(folder, ContextHelpRequest + 2));
    EXPECT_TRUE(launcher.Busy());
    EXPECT_FALSE(launcher.OpenHelp(folder, ContextHelpRequest + 2)) << "a second F1 is dropped";
    EXPECT_FALSE(launcher.OpenWebPage("https://example.org/"));
    EXPECT_EQ(opener->Count(), 1u);
    opener->Release();
    ASSERT_TRUE(WaitIdle(launcher));
    EXPECT_EQ(opener->Targets(), std::vector<std::string>{"/help/vellisto_effects.html"});

    EXPECT_TRUE(launcher.OpenWebPage("https://example.org/"));
    ASSERT_TRUE(WaitIdle(launcher));
    EXPECT_EQ(opener->Targets().back(), "https://example.org/");
}

TEST(HelpLauncher, ALaunchOutlivesItsLauncher)
{
    auto opener = std::make_shared<SlowOpener>();
    {
        HelpLauncher launcher([opener](const std::string& target) { opener->Open(target); });
        EXPECT_TRUE(launcher.OpenHelp("", ManualHelpRequest));
        EXPECT_EQ(opener->Count(), 1u);
    } // the dialog closes without waiting
    opener->Release();
    EXPECT_EQ(opener->Targets(), std::vector<std::string>{"vellistoIIImanual.html"});
}

} // namespace
} // namespace vel::ui
