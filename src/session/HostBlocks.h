#pragma once
// The two host-kept blocks: the ParameterBlock in the record's parameters
// handle and the PrivateBlock in the data slot. Both are created, locked and
// unlocked through the host's handle procedures, so the host owns them.

#include "session/SessionState.h"

namespace vel {

struct BlockSet {
    bool Parameters = false;
    bool Private = false;
};

// Creates whichever of the two handles is missing. memFullErr when one cannot
// be created. Reports which handles are new.
BlockSet EnsureBlocks(SessionState& state);

// Locks both handles and keeps their pointers: filterBadParameters when a
// handle is missing, memFullErr when a lock yields no pointer. True when both
// blocks are locked.
bool LockBlocks(SessionState& state);

// Resets the chosen locked blocks: the parameter block to its defaults
// (window geometry included), the private block to zeroes. Returns what the
// reset asks of the render state.
ParameterChanges ResetBlocks(SessionState& state, const BlockSet& blocks);

// Unlocks whichever handles exist and forgets the locked pointers.
void UnlockBlocks(SessionState& state);

} // namespace vel
