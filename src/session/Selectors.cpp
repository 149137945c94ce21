// The entry point's dispatch: one function per host selector.

#include "color/InkState.h"
#include "engine/RenderDriver.h"
#include "params/SettingsFile.h"
#include "session/DescriptorRegistry.h"
#include "session/FilterRecordHost.h"
#include "session/HostBlocks.h"
#include "session/ImageRequests.h"
#include "session/Scripting.h"
#include "session/SessionState.h"

#include <algorithm>
#include <new>

namespace vel {

OSErr RenderForHost(RenderState& state, const ParameterBlock& params, RenderHost& host)
{
    return OSErr(RenderImage(state, params, host).ResultWord());
}

namespace {

// Parameters: the user chose the filter from the menu; every parameter
// starts from its default and the dialog is to be shown.
void ResetParameters(PluginSession& session)
{
    SessionState& state = session.State;
    const BlockSet created = EnsureBlocks(state);
    if (state.Result() != noErr || !LockBlocks(state))
        return;
    ApplyParameterChanges(session.Render, ResetBlocks(state, {true, created.Private}));
    state.Private->ShowDialog = 1;
}

// The data paths beside the module; the render driver finds the papers there.
void ComputeDataPaths(PluginSession& session)
{
    session.Folders = ComputeDataFolders();
    session.Render.PapersFolder = session.Folders.PapersFolder;
}

// Lowers the host's memory budget to what one 256 × 256 tile of every plane
// (and the mask) needs, twice over.
void RequestMemory(FilterRecord& record)
{
    const VRect filter = FilterRectOf(record);
    const int64_t width = std::clamp<int64_t>(int64_t(filter.right) - filter.left, 0, 256);
    const int64_t height = std::clamp<int64_t>(int64_t(filter.bottom) - filter.top, 0, 256);
    const int64_t planes = int64_t(record.planes) + (record.haveMask ? 1 : 0);
    const int64_t figure = width * height * planes * 2;
    record.bufferSpace = 0;
    if (record.maxSpace > figure)
        record.maxSpace = int32_t(figure);
}

void Prepare(PluginSession& session)
{
    SessionState& state = session.State;
    ComputeDataPaths(session);
    const BlockSet created = EnsureBlocks(state);
    if (state.Result() != noErr || !LockBlocks(state))
        return;
    if (created.Parameters || created.Private) {
        ApplyParameterChanges(session.Render, ResetBlocks(state, created));
        state.Private->ShowDialog = 1;
    }
    ReadSettings(session.Folders.ModuleFolder, *state.Params);
    RequestMemory(*state.HostRecord);
}

bool RunMainDialog(PluginSession& session)
{
    return !session.ShowMainDialog || session.ShowMainDialog(session);
}

// Requests the whole filter rectangle and lets the render driver turn it
// into the output buffer.
void ProcessImage(PluginSession& session)
{
    SessionState& state = session.State;
    FilterRecord& record = *state.HostRecord;
    ComputeDataPaths(session);
    RequestWholeImage(record, EdgePadding::HostDefault);
    if (state.Result() == noErr && session.RenderImage) {
        FilterRecordHost host(record);
        const OSErr error = session.RenderImage(session.Render, *state.Params, host);
        if (error != noErr)
            state.Result() = error;
    }
    ClearRequestRects(record);
}

void Start(PluginSession& session)
{
    SessionState& state = session.State;
    FilterRecord& record = *state.HostRecord;
    if (!LockBlocks(state))
        return;
    ReadRegistry(state.BasicSuite, *state.Params);
    const bool showDialog = ReadScripting(record.descriptorParameters, record.handleProcs, *state.Params,
                                          state.Private->ShowDialog);
    ApplyParameterChanges(session.Render, ReloadInkState(*state.Params, session.Render.Inks));
    const bool proceed = !showDialog || RunMainDialog(session);
    state.Private->ShowDialog = 0;
    if (proceed)
        ProcessImage(session);
    else
        state.Result() = userCanceledErr;
}

void Finish(PluginSession& session)
{
    SessionState& state = session.State;
    FilterRecord& record = *state.HostRecord;
    if (!LockBlocks(state))
        return;
    WriteScripting(record.descriptorParameters, record.handleProcs, *state.Params,
                   session.Render.Inks.InkCount);
    RegisterParameters(state.BasicSuite, *state.Params);
}

void DispatchFilterSelector(PluginSession& session, int16_t selector)
{
    switch (selector) {
    case filterSelectorParameters:
        ResetParameters(session);
        break;
    case filterSelectorPrepare:
        Prepare(session);
        break;
    case filterSelectorStart:
        Start(session);
        break;
    case filterSelectorContinue:
        ClearRequestRects(*session.State.HostRecord);
        break;
    case filterSelectorFinish:
        Finish(session);
        break;
    default:
        break;
    }
}

} // namespace

void PluginEntry(PluginSession& session, int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    SessionState& state = session.State;
    state.ResultWord = result ? result : &session.SpareResult;
    state.DataSlot = data;
    state.Result() = noErr;
    if (selector == filterSelectorAbout) {
        state.HostRecord = nullptr;
        state.About = static_cast<AboutRecord*>(record);
        state.BasicSuite = state.About ? state.About->sSPBasic : nullptr;
        if (session.ShowAboutBox)
            session.ShowAboutBox(session);
        return;
    }
    state.About = nullptr;
    state.HostRecord = static_cast<FilterRecord*>(record);
    if (!state.HostRecord) {
        state.Result() = filterBadParameters;
        return;
    }
    state.BasicSuite = state.HostRecord->sSPBasic;
    AnnounceBigDocument(*state.HostRecord);
    try {
        DispatchFilterSelector(session, selector);
    } catch (const std::bad_alloc&) {
        // Nothing may unwind into the host; the module's code throws only
        // when memory runs out.
        state.Result() = memFullErr;
    }
    UnlockBlocks(state);
}

} // namespace vel
