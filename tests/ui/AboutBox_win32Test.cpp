// The About box as a window: its texts, its links through the launcher and
// "Close".

#include "ui/help/AboutBox.h"

#include "ControlHarness.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace vel::ui::test {
namespace {

class AboutBoxWindow : public ControlHarness {};

struct OpenedTargets {
    std::mutex Lock;
    std::vector<std::string> Targets;
};

TEST_F(AboutBoxWindow, ShowsTheVersionOpensItsLinksAndCloses)
{
    auto opened = std::make_shared<OpenedTargets>();
    HelpLauncher launcher([opened](const std::string& target) {
        std::lock_guard<std::mutex> lock(opened->Lock);
        opened->Targets.push_back(target);
    });
    WhenDialogOpens(L"About Nimbara VellistoIII", [&launcher](HWND box) {
        EXPECT_EQ(Text(GetDlgItem(box, AboutVersionId)), "1.0");
        EXPECT_EQ(Text(GetDlgItem(box, AboutMakerLinkId)), MakerSiteAddress);
        EXPECT_EQ(Text(GetDlgItem(box, AboutProductLinkId)), "Visit the VellistoIII product page on site");
        Click(GetDlgItem(box, AboutProductLinkId), 3, 3);
        for (int i = 0; i < 2000 && launcher.Busy(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Click(GetDlgItem(box, AboutMakerLinkId), 3, 3);
        for (int i = 0; i < 2000 && launcher.Busy(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Click(GetDlgItem(box, IDCANCEL), 5, 5);
    });
    ShowAboutBox(Kit().Instance, Parent, launcher);
    EXPECT_TRUE(DialogScriptRan());
    std::lock_guard<std::mutex> lock(opened->Lock);
    EXPECT_EQ(opened->Targets, (std::vector<std::string>{ProductPageAddress, MakerSiteAddress}));
}

} // namespace
} // namespace vel::ui::test
