#pragma once
// The scripting descriptor of the current run: read at Start so that a
// recorded action replays its parameters, written at Finish so that the host
// can record them.

#include "params/ParameterBlock.h"
#include "session/HostRecords.h"

namespace vel {

// Overwrites the fields the host's descriptor holds and consumes the
// descriptor (disposes of its handle and clears it). Returns whether the
// dialog is to be shown: `showDialog` without a descriptor, otherwise whether
// the host's play-info asks for the dialog. Host errors end the reading and
// are not reported; fields read so far keep their new values.
bool ReadScripting(PIDescriptorParameters* parameters, const HandleProcs* handles, ParameterBlock& block,
                   bool showDialog);

// Records the parameters into a new descriptor for the host: the common keys,
// layer one's, layer two's when it exists, the removed colours and the
// palette adjustments of the colour schema (`inkCount` inks in use).
void WriteScripting(PIDescriptorParameters* parameters, const HandleProcs* handles,
                    const ParameterBlock& block, int inkCount);

} // namespace vel
