#include "session/HostBlocks.h"

#include <cstring>

namespace vel {
namespace {

// The slots used here: new (0), dispose (1), lock (4) and unlock (5).
const HandleProcs* UsableHandleProcs(const FilterRecord* record)
{
    const HandleProcs* procs = record ? record->handleProcs : nullptr;
    if (!procs || procs->numHandleProcs < 6 || !procs->newProc || !procs->lockProc || !procs->unlockProc)
        return nullptr;
    return procs;
}

Handle PrivateHandle(const SessionState& state)
{
    return state.DataSlot ? reinterpret_cast<Handle>(*state.DataSlot) : nullptr;
}

} // namespace

BlockSet EnsureBlocks(SessionState& state)
{
    BlockSet created;
    FilterRecord& record = *state.HostRecord;
    const HandleProcs* procs = UsableHandleProcs(&record);
    if (!record.parameters) {
        record.parameters = procs ? procs->newProc(int32_t(sizeof(ParameterBlock))) : nullptr;
        if (!record.parameters) {
            state.Result() = memFullErr;
            return created;
        }
        created.Parameters = true;
    }
    if (state.DataSlot && !*state.DataSlot) {
        const Handle block = procs ? procs->newProc(int32_t(sizeof(PrivateBlock))) : nullptr;
        if (!block) {
            state.Result() = memFullErr;
            return created;
        }
        *state.DataSlot = reinterpret_cast<intptr_t>(block);
        created.Private = true;
    }
    return created;
}

bool LockBlocks(SessionState& state)
{
    FilterRecord& record = *state.HostRecord;
    const Handle privateHandle = PrivateHandle(state);
    if (!record.parameters || !privateHandle) {
        state.Result() = filterBadParameters;
        return false;
    }
    const HandleProcs* procs = UsableHandleProcs(&record);
    if (!procs) {
        state.Result() = memFullErr;
        return false;
    }
    state.Params = reinterpret_cast<ParameterBlock*>(procs->lockProc(record.parameters, true));
    state.Private = reinterpret_cast<PrivateBlock*>(procs->lockProc(privateHandle, true));
    if (!state.Params || !state.Private) {
        state.Result() = memFullErr;
        state.Params = nullptr;
        state.Private = nullptr;
        return false;
    }
    return true;
}

ParameterChanges ResetBlocks(SessionState& state, const BlockSet& blocks)
{
    ParameterChanges changes;
    if (blocks.Parameters) {
        std::memset(state.Params, 0, sizeof(ParameterBlock));
        changes = ResetWindowGeometry(*state.Params);
    }
    if (blocks.Private)
        std::memset(state.Private, 0, sizeof(PrivateBlock));
    return changes;
}

void UnlockBlocks(SessionState& state)
{
    state.Params = nullptr;
    state.Private = nullptr;
    const HandleProcs* procs = UsableHandleProcs(state.HostRecord);
    if (!procs)
        return;
    if (const Handle privateHandle = PrivateHandle(state))
        procs->unlockProc(privateHandle);
    if (state.HostRecord->parameters)
        procs->unlockProc(state.HostRecord->parameters);
}

} // namespace vel
