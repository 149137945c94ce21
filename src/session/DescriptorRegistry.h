#pragma once
// The host's descriptor registry: the parameters of the last successful run,
// kept by the host under the plug-in's registry key (also across host
// sessions), so that every invocation starts from them.

#include "params/ParameterBlock.h"
#include "session/HostSuites.h"

namespace vel {

// Overwrites each field the registered descriptor holds, key by key: a
// missing key or one of another type leaves its field as it is. Returns the
// host's error (errPlugInHostInsufficient without the suites); nothing
// registered yet is no error.
OSErr ReadRegistry(const SPBasicSuite* basic, ParameterBlock& block);

// Registers the common fields, layer one's and, when it exists, layer two's
// under the registry key, persistently. Returns the host's error.
OSErr RegisterParameters(const SPBasicSuite* basic, const ParameterBlock& block);

} // namespace vel
