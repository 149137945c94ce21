#include "platform/PageMemory.h"

#include <windows.h>

namespace vel {

void* AllocatePages(size_t bytes)
{
    if (bytes == 0)
        return nullptr;
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void ReleasePages(void* pages, size_t)
{
    if (pages)
        VirtualFree(pages, 0, MEM_RELEASE);
}

} // namespace vel
