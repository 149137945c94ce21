#include "SessionFixture.h"

#include "params/FieldTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vel::test {
namespace {

// A render driver stand-in that records what the session hands it.
struct RenderProbe {
    static inline int Calls = 0;
    static inline HostImage Seen;
    static inline bool HadConverter = false;
    static inline OSErr Answer = noErr;

    static OSErr Render(RenderState&, const ParameterBlock&, RenderHost& host)
    {
        ++Calls;
        Seen = host.Describe();
        HadConverter = host.Converter() != nullptr;
        return Answer;
    }
    static void Reset()
    {
        Calls = 0;
        Seen = {};
        HadConverter = false;
        Answer = noErr;
    }
};

// The main dialog stand-in: counts how often it is shown and answers.
struct DialogProbe {
    static inline int Shown = 0;
    static inline bool Ok = true;
    static bool Show(PluginSession&)
    {
        ++Shown;
        return Ok;
    }
};

class Selectors : public testing::Test {
  protected:
    Selectors()
    {
        RenderProbe::Reset();
        DialogProbe::Shown = 0;
        DialogProbe::Ok = true;
        plugin.Session.RenderImage = RenderProbe::Render;
        plugin.Session.ShowMainDialog = DialogProbe::Show;
    }

    SessionFixture plugin;
};

FakeImage SmallRgb()
{
    return FakeImage::Gradient(6, 4, 3);
}

TEST_F(Selectors, MenuRunResetsShowsTheDialogProcessesOnceAndRecords)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);

    EXPECT_EQ(DialogProbe::Shown, 1);
    EXPECT_EQ(RenderProbe::Calls, 1);
    EXPECT_EQ(host.ContinueCalls(), 0) << "the whole image is processed in Start";
    EXPECT_EQ(host.Private().ShowDialog, 0);
    ASSERT_NE(host.RecordedDescriptor(), nullptr);
    EXPECT_EQ(host.Record().descriptorParameters->recordInfo, plugInDialogOptional);
    EXPECT_EQ(host.Registry().count("d9543b0c-3c91-11d4-97bc-00b017022014"), 1u);
    EXPECT_EQ(host.OutstandingSuites(), 0);
    EXPECT_EQ(host.LiveActionDescriptors(), 0);
}

TEST_F(Selectors, RepeatRunKeepsTheBlocksAndSkipsTheDialog)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);
    const Handle parameters = host.Record().parameters;

    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Repeat), noErr);
    EXPECT_EQ(DialogProbe::Shown, 1);
    EXPECT_EQ(RenderProbe::Calls, 2);
    EXPECT_EQ(host.Record().parameters, parameters);
}

TEST_F(Selectors, StartWithoutBlocksIsBadParametersAndProcessesNothing)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorStart), filterBadParameters);
    EXPECT_EQ(RenderProbe::Calls, 0);
    EXPECT_TRUE(host.AdvanceCalls().empty());
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorFinish), filterBadParameters);
    EXPECT_EQ(host.RecordedDescriptor(), nullptr);
}

TEST_F(Selectors, HandleFailuresAreMemFull)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    host.FailNewHandle = true;
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorParameters), memFullErr);
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorPrepare), memFullErr);
    host.FailNewHandle = false;
    ASSERT_EQ(host.Call(plugin.Entry, filterSelectorParameters), noErr);
    host.FailLock = true;
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorStart), memFullErr);
    EXPECT_EQ(RenderProbe::Calls, 0);

    FakeHost bare(plugInModeRGBColor, SmallRgb(), {.HandleProcs = false});
    EXPECT_EQ(bare.Call(plugin.Entry, filterSelectorParameters), memFullErr);
}

TEST_F(Selectors, ParametersResetsEveryTimeItIsCalled)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    for (int call = 0; call < 2; ++call) {
        host.Call(plugin.Entry, filterSelectorParameters);
        const ParameterBlock block = host.Parameters();
        EXPECT_EQ(block.NInks, 2);
        EXPECT_EQ(block.Layers[1].Angle, 120);
        EXPECT_EQ(block.WindowWidth, 828);
        EXPECT_STREQ(block.PaperName, "Solid");
        EXPECT_EQ(host.Private().ShowDialog, 1);
        EXPECT_FALSE(plugin.Session.Render.TablesReady) << "the reset reaches the render state";
        EXPECT_FALSE(plugin.Session.Render.Inks.PaletteValid);
        plugin.Session.Render.TablesReady = true;
        plugin.Session.Render.Inks.PaletteValid = true;
        host.EditParameters([](ParameterBlock& p) {
            p.NInks = 4;
            p.Layers[1].Angle = 5;
            p.WindowWidth = 1;
        });
    }
}

TEST_F(Selectors, PrepareResetsOnlyNewBlocks)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    ASSERT_EQ(host.Call(plugin.Entry, filterSelectorPrepare), noErr);
    EXPECT_EQ(host.Parameters().NInks, 2);
    EXPECT_EQ(host.Private().ShowDialog, 1);
    EXPECT_EQ(host.Private().PreviewRect.Right, 0);

    host.EditParameters([](ParameterBlock& p) { p.NInks = 3; });
    ASSERT_EQ(host.Call(plugin.Entry, filterSelectorPrepare), noErr);
    EXPECT_EQ(host.Parameters().NInks, 3);
}

TEST_F(Selectors, PrepareComputesTheDataPaths)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    ASSERT_EQ(host.Call(plugin.Entry, filterSelectorPrepare), noErr);
    const DataFolders expected = ComputeDataFolders();
    EXPECT_EQ(plugin.Session.Folders.PresetsFolder, expected.PresetsFolder);
    EXPECT_EQ(plugin.Session.Render.PapersFolder, expected.PapersFolder);
}

struct MemoryCase {
    int Width, Height, Planes;
    bool Mask;
    int32_t MaxSpace, Expected;
};

TEST_F(Selectors, PrepareLowersTheMemoryBudgetToTwoTilesOfEveryPlane)
{
    const MemoryCase cases[] = {
        {300, 100, 4, true, 1000000, 2 * 256 * 100 * 5},
        {300, 100, 4, true, 1000, 1000},
        {300, 100, 3, false, 1000000, 2 * 256 * 100 * 3},
        {20, 400, 3, false, 1000000, 2 * 20 * 256 * 3},
    };
    for (const MemoryCase& c : cases) {
        FakeHost host(plugInModeRGBColor, FakeImage(c.Width, c.Height, c.Planes));
        host.Record().haveMask = c.Mask;
        host.Record().maxSpace = c.MaxSpace;
        host.Record().bufferSpace = 1234;
        ASSERT_EQ(host.Call(plugin.Entry, filterSelectorPrepare), noErr);
        EXPECT_EQ(host.Record().maxSpace, c.Expected) << c.Width << "x" << c.Height;
        EXPECT_EQ(host.Record().bufferSpace, 0);
    }
}

TEST_F(Selectors, UnknownSelectorsOnlyUnlockTheBlocks)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    ASSERT_EQ(host.Call(plugin.Entry, filterSelectorParameters), noErr);
    const ParameterBlock before = host.Parameters();
    const FilterRecord record = host.Record();
    for (int16_t selector : {6, 7, 100, -1}) {
        const int unlocks = host.UnlockCalls();
        EXPECT_EQ(host.Call(plugin.Entry, selector), noErr);
        EXPECT_EQ(host.UnlockCalls(), unlocks + 2);
        const ParameterBlock after = host.Parameters();
        EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
        EXPECT_EQ(std::memcmp(&record, &host.Record(), sizeof record), 0);
    }
    EXPECT_TRUE(host.AdvanceCalls().empty());
    EXPECT_EQ(host.LiveHandles(), 2);
}

TEST_F(Selectors, AboutTouchesNothing)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorAbout), noErr);
    EXPECT_FALSE(host.HasBlocks());
    EXPECT_EQ(host.Record().bigDocumentData->PluginUsing32BitCoordinates, 0);
}

TEST_F(Selectors, AboutShowsTheAboutBoxAndNothingElse)
{
    static int shown;
    shown = 0;
    plugin.Session.ShowAboutBox = [](PluginSession& session) {
        ++shown;
        EXPECT_NE(session.State.About, nullptr);
        EXPECT_EQ(session.State.HostRecord, nullptr);
    };
    FakeHost host(plugInModeRGBColor, SmallRgb());
    EXPECT_EQ(host.Call(plugin.Entry, filterSelectorAbout), noErr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(DialogProbe::Shown, 0);
    EXPECT_EQ(RenderProbe::Calls, 0);
    EXPECT_FALSE(host.HasBlocks());
}

TEST_F(Selectors, ProcessRequestsTheWholeImageOnceAndClearsTheRectangles)
{
    FakeHost host(plugInModeRGBColor, FakeImage::Gradient(40, 30, 4));
    host.SetFilterRect({5, 3, 25, 33});
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);

    ASSERT_EQ(host.AdvanceCalls().size(), 1u);
    const AdvanceCall& call = host.AdvanceCalls()[0];
    const VRect filter = {5, 3, 25, 33};
    for (const VRect& r : {call.In, call.Out, call.Mask})
        EXPECT_EQ(std::memcmp(&r, &filter, sizeof r), 0);
    EXPECT_EQ(call.InLoPlane, 0);
    EXPECT_EQ(call.InHiPlane, 3);
    EXPECT_EQ(call.OutHiPlane, 3);
    EXPECT_EQ(call.InputRate, 0x10000);
    EXPECT_EQ(call.MaskRate, 0x10000);
    EXPECT_EQ(call.InputPadding, -3) << "processing keeps the host's padding";

    EXPECT_EQ(host.Record().bigDocumentData->PluginUsing32BitCoordinates, 1);
    EXPECT_EQ(RenderProbe::Seen.FilterWidth, 30);
    EXPECT_EQ(RenderProbe::Seen.FilterHeight, 20);
    EXPECT_EQ(RenderProbe::Seen.Planes, 4);
    EXPECT_NE(RenderProbe::Seen.Input.Data, nullptr);
    EXPECT_EQ(host.Record().bigDocumentData->outRect32.right, 0);
    EXPECT_EQ(host.Record().outRect.right, 0);
    EXPECT_EQ(host.Output(), host.Source()) << "the host pre-filled the output with the source";
}

TEST_F(Selectors, WithoutBigDocumentTheSixteenBitFieldsCarryTheRequest)
{
    FakeHost host(plugInModeRGBColor, SmallRgb(), {.BigDocument = false});
    host.SetFilterRect({1, 2, 3, 5});
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);
    ASSERT_EQ(host.AdvanceCalls().size(), 1u);
    EXPECT_EQ(host.AdvanceCalls()[0].In.right, 5);
    EXPECT_EQ(RenderProbe::Seen.OutWidth, 3);
}

TEST_F(Selectors, RenderAndAdvanceErrorsReachTheHost)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    RenderProbe::Answer = memFullErr;
    EXPECT_EQ(host.Run(plugin.Entry, Invocation::Menu), memFullErr);
    EXPECT_EQ(host.RecordedDescriptor(), nullptr) << "no Finish after a failed Start";

    RenderProbe::Answer = noErr;
    RenderProbe::Calls = 0;
    host.AdvanceResult = userCanceledErr;
    EXPECT_EQ(host.Run(plugin.Entry, Invocation::Repeat), noErr) << "Process the image ignores advance-state";
    EXPECT_EQ(RenderProbe::Calls, 1);
}

TEST_F(Selectors, CancelledDialogProcessesAndRecordsNothing)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    DialogProbe::Ok = false;
    EXPECT_EQ(host.Run(plugin.Entry, Invocation::Menu), userCanceledErr);
    EXPECT_EQ(RenderProbe::Calls, 0);
    EXPECT_EQ(host.RecordedDescriptor(), nullptr);
    EXPECT_TRUE(host.Registry().empty());
    EXPECT_EQ(host.Private().ShowDialog, 0);
}

TEST_F(Selectors, WithoutADialogStartGoesOnAsIfOkWerePressed)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    plugin.Session.ShowMainDialog = nullptr;
    EXPECT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);
    EXPECT_EQ(RenderProbe::Calls, 1);
}

TEST_F(Selectors, PlaybackShowsTheDialogOnlyWhenThePlayInfoAsks)
{
    for (int16_t playInfo : {plugInDialogDontDisplay, plugInDialogDisplay, plugInDialogSilent}) {
        SessionFixture fresh;
        fresh.Session.RenderImage = RenderProbe::Render;
        fresh.Session.ShowMainDialog = DialogProbe::Show;
        DialogProbe::Shown = 0;
        FakeHost host(plugInModeRGBColor, SmallRgb());
        FakeDescriptor recorded;
        recorded.PutFloat(FourCC("Ang1"), 12.5);
        host.SetDescriptor(recorded, playInfo);
        ASSERT_EQ(host.Run(fresh.Entry, Invocation::Menu), noErr);
        EXPECT_EQ(DialogProbe::Shown, playInfo == plugInDialogDisplay ? 1 : 0) << playInfo;
        EXPECT_EQ(host.Parameters().Layers[0].Angle, 12.5f);
    }
}

TEST_F(Selectors, RegistryValuesCarryOverToTheNextSession)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    FakeDescriptor recorded;
    recorded.PutInteger(FourCC("NInk"), 3);
    recorded.PutInteger(FourCC("ClSt"), int32_t(ColorSchemaKind::CustomPalette));
    recorded.PutFloat(FourCC("Sps1"), 42);
    host.SetDescriptor(recorded, plugInDialogDontDisplay);
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);

    host.ForgetBlocks();
    ASSERT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);
    EXPECT_EQ(host.Parameters().NInks, 3);
    EXPECT_EQ(host.Parameters().Layers[0].Space, 42);
    EXPECT_EQ(plugin.Session.Render.Inks.InkCount, 3) << "inks follow the values read";
}

TEST_F(Selectors, CmykDocumentsOfferTheHostConverter)
{
    FakeHost cmyk(plugInModeCMYKColor, FakeImage::Gradient(5, 5, 4));
    ASSERT_EQ(cmyk.Run(plugin.Entry, Invocation::Menu), noErr);
    EXPECT_TRUE(RenderProbe::HadConverter);
    EXPECT_EQ(RenderProbe::Seen.Mode, plugInModeCMYKColor);
    EXPECT_EQ(cmyk.OutstandingSuites(), 0);

    FakeHost plain(plugInModeCMYKColor, FakeImage::Gradient(5, 5, 4), {.ColorSpaceSuite = false});
    ASSERT_EQ(plain.Run(plugin.Entry, Invocation::Menu), noErr);
    EXPECT_FALSE(RenderProbe::HadConverter);
}

TEST_F(Selectors, MinimalHostStillRuns)
{
    // A host with handles and advance-state but no suites, scripting or big documents.
    FakeHost host(plugInModeRGBColor, SmallRgb(),
                  {.BigDocument = false, .BasicSuite = false, .DescriptorParameters = false});
    EXPECT_EQ(host.Run(plugin.Entry, Invocation::Menu), noErr);
    EXPECT_EQ(RenderProbe::Calls, 1);
    EXPECT_EQ(DialogProbe::Shown, 1);
}

TEST_F(Selectors, StaleResultWordIsClearedOnEntry)
{
    FakeHost host(plugInModeRGBColor, SmallRgb());
    int16_t result = -999;
    intptr_t data = 0;
    plugin.Entry(filterSelectorContinue, &host.Record(), &data, &result);
    EXPECT_EQ(result, noErr);
}

} // namespace
} // namespace vel::test
