#pragma once
// COM helpers for the Windows Imaging Component users: an owned interface
// pointer, COM for the calling thread, and ANSI paths as wide strings.
// Windows only.

#include <windows.h>
#include <objbase.h>

#include <string>

namespace vel {

// Owns one COM interface pointer.
template <typename T> class ComRef {
  public:
    ComRef() = default;
    ~ComRef()
    {
        if (p_)
            p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

  private:
    T* p_ = nullptr;
};

// COM for the calling thread, for as long as the scope lasts; a caller that
// initialised COM already keeps its own mode.
class ComScope {
  public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT result_;
};

// An ANSI path as the wide string the COM interfaces take.
inline std::wstring WidePath(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(size_t(length - 1));
    return wide;
}

} // namespace vel
