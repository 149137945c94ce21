#pragma once
// A host suite acquired through the basic suite for one operation and
// released when the operation ends.

#include "session/HostSuites.h"

#include <initializer_list>

namespace vel {

template <typename Suite> class AcquiredSuite {
  public:
    // Tries the versions in order and keeps the first one the host serves.
    // Without a basic suite, or when no version is served, the suite is absent.
    AcquiredSuite(const SPBasicSuite* basic, const char* name, std::initializer_list<int32_t> versions)
        : basic_(basic), name_(name)
    {
        if (!basic || !basic->AcquireSuite || !basic->ReleaseSuite)
            return;
        for (int32_t version : versions) {
            const void* table = nullptr;
            if (basic->AcquireSuite(name, version, &table) != kSPNoError)
                continue;
            version_ = version;
            if (table) {
                suite_ = static_cast<const Suite*>(table);
                return;
            }
            basic->ReleaseSuite(name, version);
        }
    }
    ~AcquiredSuite()
    {
        if (suite_)
            basic_->ReleaseSuite(name_, version_);
    }
    AcquiredSuite(const AcquiredSuite&) = delete;
    AcquiredSuite& operator=(const AcquiredSuite&) = delete;

    explicit operator bool() const { return suite_ != nullptr; }
    const Suite* operator->() const { return suite_; }
    const Suite& operator*() const { return *suite_; }

  private:
    const SPBasicSuite* basic_;
    const char* name_;
    int32_t version_ = 0;
    const Suite* suite_ = nullptr;
};

// A suite's 32-bit error as a host result word: codes that do not fit in
// 16 bits (four-character suite errors) become errPlugInHostInsufficient.
constexpr OSErr SuiteResult(SPErr error)
{
    if (error == kSPNoError)
        return noErr;
    if (error >= INT16_MIN && error <= INT16_MAX)
        return OSErr(error);
    return errPlugInHostInsufficient;
}

} // namespace vel
