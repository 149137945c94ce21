#pragma once
// A test that loads the module afresh, so that its state starts empty, and
// calls its entry point as the fake host's entry.

#include "LoadedModule.h"
#include "ModulePath.h"
#include "session/FakeHost.h"

#include <gtest/gtest.h>

namespace vel::test {

class FreshModule : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.Loaded()) << ModulePath;
        main = module.FindFilterEntry();
        ASSERT_NE(main, nullptr);
    }

    LoadedModule module{ModulePath};
    FilterEntryProc main = nullptr;
    PluginEntryFn entry = [this](int16_t selector, void* record, intptr_t* data, int16_t* result) {
        main(selector, record, data, result);
    };
};

} // namespace vel::test
