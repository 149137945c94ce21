#pragma once
// The session under test, entered the way the module's PluginMain enters it.

#include "FakeHost.h"
#include "session/SessionState.h"

namespace vel::test {

struct SessionFixture {
    PluginSession Session;
    PluginEntryFn Entry = [this](int16_t selector, void* record, intptr_t* data, int16_t* result) {
        PluginEntry(Session, selector, record, data, result);
    };
};

} // namespace vel::test
