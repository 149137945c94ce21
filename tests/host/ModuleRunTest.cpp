#include "DialogWatcher.h"
#include "FreshModule.h"

#include "params/FieldTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include <windows.h>

namespace vel::test {
namespace {

// Saves a document as a PAM file in the working folder, for comparing the
// module's pictures with the command-line tool's.
void SavePicture(const FakeImage& image, const std::string& name)
{
    std::ofstream out(name + ".pam", std::ios::binary);
    out << "P7\nWIDTH " << image.Width << "\nHEIGHT " << image.Height << "\nDEPTH " << image.Planes
        << "\nMAXVAL " << (image.Depth == 16 ? 65535 : 255) << "\nENDHDR\n";
    out.write(reinterpret_cast<const char*>(image.Bytes.data()), std::streamsize(image.Bytes.size()));
}

// Closes the About box when it opens, from a second thread, as a user's
// click on "Close" would; counts the boxes it closed.
class AboutCloser {
  public:
    AboutCloser()
        : thread_([this] {
              while (!stop_) {
                  if (HWND box = FindWindowW(L"#32770", L"About Nimbara VellistoIII")) {
                      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                      ++closed_;
                      while (IsWindow(box) && !stop_)
                          Sleep(10);
                  }
                  Sleep(10);
              }
          })
    {
    }
    ~AboutCloser()
    {
        stop_ = true;
        thread_.join();
    }
    int Closed() const { return closed_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread thread_;
};

std::string TestName()
{
    return testing::UnitTest::GetInstance()->current_test_info()->name();
}

// A menu run goes through the dialog, closed with OK.
class ModuleRuns : public FreshModule {
  protected:
    DialogWatcher watcher;
};

TEST_F(ModuleRuns, MenuRunRendersRecordsAndRegisters)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(24, 16, 3));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    SavePicture(host.Output(), TestName());

    EXPECT_EQ(host.Record().bigDocumentData->PluginUsing32BitCoordinates, 1);
    ASSERT_FALSE(host.AdvanceCalls().empty());
    EXPECT_EQ(host.AdvanceCalls()[0].Out.right, 24);
    EXPECT_EQ(host.ContinueCalls(), 0);
    EXPECT_NE(host.Output(), host.Source()) << "the engraving replaced the picture";
    ASSERT_NE(host.RecordedDescriptor(), nullptr);
    EXPECT_EQ(host.RecordedDescriptor()->Items.size(), 14u + 36u + 4u + 3u);
    EXPECT_TRUE(host.RegisteredPersistently("d9543b0c-3c91-11d4-97bc-00b017022014"));
    EXPECT_EQ(host.Private().ShowDialog, 0);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.LiveActionDescriptors(), 0);
    EXPECT_EQ(host.LiveHandles(), 3) << "the two blocks and the recorded descriptor";
}

TEST_F(ModuleRuns, RepeatRunGivesTheSamePicture)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(24, 16, 4));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    const FakeImage first = host.Output();
    FakeHost again(plugInModeRGBColor, FakeImage::Gradient(24, 16, 4));
    again.Registry() = host.Registry();
    ASSERT_EQ(again.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(again.Output(), first);

    const Handle parameters = host.Record().parameters;
    ASSERT_EQ(host.Run(entry, Invocation::Repeat), noErr);
    EXPECT_EQ(host.Record().parameters, parameters);
}

TEST_F(ModuleRuns, PlaybackAppliesTheRecordedValues)
{
    for (int16_t playInfo : {plugInDialogDontDisplay, plugInDialogDisplay}) {
        FakeHost host(plugInModeRGBColor, FakeImage::Gradient(16, 12, 3));
        FakeDescriptor recorded;
        recorded.PutFloat(FourCC("Ang1"), 75);
        recorded.PutBoolean(FourCC("L2Ex"), true);
        recorded.PutInteger(FourCC("Gmt2"), 8);
        recorded.PutString(FourCC("PrNm"), "Solid");
        host.SetDescriptor(recorded, playInfo);
        ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
        const ParameterBlock block = host.Parameters();
        EXPECT_EQ(block.Layers[0].Angle, 75);
        EXPECT_EQ(block.LayerTwoExist, 1);
        EXPECT_EQ(block.Layers[1].Geometry, 8);
        EXPECT_EQ(host.RecordedDescriptor()->Find(FourCC("Gmt2"))->Integer, 8);
    }
}

TEST_F(ModuleRuns, RegistryCarriesValuesIntoANewSession)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(8, 8, 3));
    FakeDescriptor recorded;
    recorded.PutFloat(FourCC("Sps1"), 33);
    host.SetDescriptor(recorded, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    host.ForgetBlocks();
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_EQ(host.Parameters().Layers[0].Space, 33);
}

TEST_F(ModuleRuns, CmykDocumentConvertsThroughTheHostSuite)
{
    FakeHost host(plugInModeCMYKColor, FakeImage::Gradient(20, 10, 4));
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    SavePicture(host.Output(), TestName());
    EXPECT_FALSE(host.ConvertCounts().empty());
    for (int count : host.ConvertCounts())
        EXPECT_LE(count, 20);
    EXPECT_NE(host.Output(), host.Source());
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

// A host without any suite: the source is read with the built-in formula and
// the engraving written back through its inverse instead of being dropped.
TEST_F(ModuleRuns, CmykDocumentWithoutSuitesComesBackEngraved)
{
    FakeHost host(plugInModeCMYKColor, FakeImage::Gradient(20, 10, 4),
                  {.BasicSuite = false, .ColorSpaceSuite = false, .ChannelPortsSuite = false, .ActionSuites = false,
                   .DescriptorRegistry = false});
    host.SetDescriptor(FakeDescriptor{}, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    SavePicture(host.Output(), TestName());
    EXPECT_TRUE(host.ConvertCounts().empty());
    EXPECT_NE(host.Output(), host.Source());
}

// Rendering without the dialog (a replayed action), the module reports its
// progress to the host with rising values.
TEST_F(ModuleRuns, ProgressReachesTheHostWithoutTheDialog)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(160, 120, 3));
    host.SetDescriptor(FakeDescriptor{}, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    const auto& calls = host.ProgressValues();
    EXPECT_EQ(int(calls.size()), host.ProgressCalls());
    ASSERT_GT(calls.size(), 3u);
    // Rising within the preparation (of 100) and within the pattern's steps.
    int rises = 0;
    int patternCalls = 0;
    for (size_t i = 1; i < calls.size(); ++i) {
        rises += calls[i].second == calls[i - 1].second && calls[i].first > calls[i - 1].first;
        patternCalls += calls[i].second != 100;
    }
    EXPECT_GT(rises, 4);
    EXPECT_GT(patternCalls, 2);
}

TEST_F(ModuleRuns, LayeredDocumentWithTransparencyRuns)
{
    const int w = 12, h = 8;
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(w, h, 4));
    FakeLayer below{
        "Below",
        true,
        {std::vector<uint8_t>(w * h, 40), std::vector<uint8_t>(w * h, 80), std::vector<uint8_t>(w * h, 120)},
        {}};
    FakeLayer target{"Target", true, below.Channels, std::vector<uint8_t>(w * h, 128)};
    host.SetLayers({below, target}, 1);
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    SavePicture(host.Output(), TestName());
    EXPECT_EQ(host.OutstandingSuites(), 0);
}

TEST_F(ModuleRuns, HostWithoutExtrasStillRuns)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(10, 6, 3),
                  {.BigDocument = false, .BasicSuite = false, .DescriptorParameters = false});
    ASSERT_EQ(host.Run(entry, Invocation::Menu), noErr);
    EXPECT_NE(host.Output(), host.Source());
}

TEST_F(ModuleRuns, FailuresReachTheResultWord)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(6, 6, 3));
    EXPECT_EQ(host.Call(entry, filterSelectorStart), filterBadParameters);
    EXPECT_TRUE(host.AdvanceCalls().empty());
    {
        AboutCloser closer;
        EXPECT_EQ(host.Call(entry, filterSelectorAbout), noErr);
        EXPECT_EQ(closer.Closed(), 1);
    }
    EXPECT_EQ(host.Call(entry, 6), noErr);
    host.FailNewHandle = true;
    EXPECT_EQ(host.Call(entry, filterSelectorParameters), memFullErr);
    host.FailNewHandle = false;
    ASSERT_EQ(host.Call(entry, filterSelectorParameters), noErr);
    EXPECT_EQ(host.Parameters().NInks, 2);
    const int unlocks = host.UnlockCalls();
    EXPECT_EQ(host.Call(entry, 9), noErr);
    EXPECT_EQ(host.UnlockCalls(), unlocks + 2);
}

} // namespace
} // namespace vel::test
