#include "CountedHeap.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <malloc.h>

// The C library's own allocator under its internal names.
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *block, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void *__libc_valloc(size_t size);
void *__libc_pvalloc(size_t size);
void __libc_free(void *block);
}

namespace {

std::atomic<long long> g_inUse{0};

void *Counted(void *block)
{
    if (block)
        g_inUse.fetch_add(static_cast<long long>(malloc_usable_size(block)), std::memory_order_relaxed);
    return block;
}

void Uncount(void *block)
{
    if (block)
        g_inUse.fetch_sub(static_cast<long long>(malloc_usable_size(block)), std::memory_order_relaxed);
}

bool IsPowerOfTwo(size_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

} // namespace

long long HeapBytesInUse()
{
    return g_inUse.load(std::memory_order_relaxed);
}

extern "C" {

void *malloc(size_t size)
{
    return Counted(__libc_malloc(size));
}
void *calloc(size_t count, size_t size)
{
    return Counted(__libc_calloc(count, size));
}
void *memalign(size_t alignment, size_t size)
{
    return Counted(__libc_memalign(alignment, size));
}
void *aligned_alloc(size_t alignment, size_t size)
{
    return Counted(__libc_memalign(alignment, size));
}
void *valloc(size_t size)
{
    return Counted(__libc_valloc(size));
}
void *pvalloc(size_t size)
{
    return Counted(__libc_pvalloc(size));
}

void free(void *block)
{
    Uncount(block);
    __libc_free(block);
}

// A failed reallocation keeps the block; one to size 0 releases it.
void *realloc(void *block, size_t size)
{
    const size_t before = block ? malloc_usable_size(block) : 0;
    void *moved = __libc_realloc(block, size);
    if (moved || size == 0)
        g_inUse.fetch_sub(static_cast<long long>(before), std::memory_order_relaxed);
    return Counted(moved);
}

int posix_memalign(void **result, size_t alignment, size_t size)
{
    if (!IsPowerOfTwo(alignment) || alignment % sizeof(void *) != 0)
        return EINVAL;
    void *block = Counted(__libc_memalign(alignment, size));
    if (!block && size != 0)
        return ENOMEM;
    *result = block;
    return 0;
}

} // extern "C"
