#include "platform/PageMemory.h"

#include <sys/mman.h>

namespace vel {

void* AllocatePages(size_t bytes)
{
    if (bytes == 0)
        return nullptr;
    void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return pages == MAP_FAILED ? nullptr : pages;
}

void ReleasePages(void* pages, size_t bytes)
{
    if (pages)
        munmap(pages, bytes);
}

} // namespace vel
