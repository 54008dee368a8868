#include "FrameHeap.h"

#include <atomic>
#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QM_PLAIN_FRAME_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_PLAIN_FRAME_HEAP 1
#endif
#endif

#ifdef QM_PLAIN_FRAME_HEAP

// The address sanitizer sees each frame as its own allocation only when it
// comes from the heap itself.
void *AllocateFrame(std::size_t size) { return ::operator new(size); }
void FreeFrame(void *p) noexcept { ::operator delete(p); }

#else

namespace {

// Blocks are aligned to their size, so a frame finds its block by masking
// its address; a frame too large to share one gets a block of its own,
// still starting in the block's first kBlockSize bytes.
constexpr std::size_t kBlockSize = std::size_t(1) << 15;
constexpr std::size_t kAlign = 16;

// While a thread carves from a block, its count holds kCarving more than
// the frames freed so far take away, so a frame costs no atomic operation
// until the thread leaves the block and gives back what it did not carve.
constexpr std::int64_t kCarving = std::int64_t(1) << 40;

struct alignas(kAlign) TBlock
{
    // Frames carved and not freed; while carving, see kCarving.
    std::atomic<std::int64_t> Live;
};

TBlock *NewBlock(std::size_t bytes, std::int64_t live)
{
    void *p = ::operator new(bytes, std::align_val_t(kBlockSize));
    return new (p) TBlock{live};
}

void Release(TBlock *b, std::int64_t count = 1) noexcept
{
    if (b && b->Live.fetch_sub(count, std::memory_order_acq_rel) == count) {
        b->~TBlock();
        ::operator delete(static_cast<void *>(b), std::align_val_t(kBlockSize));
    }
}

struct TCursor
{
    TBlock *Block = nullptr;
    char *Next = nullptr;
    char *End = nullptr;
    std::int64_t Carved = 0;
    void Leave() noexcept { Release(Block, kCarving - Carved); }
    ~TCursor() { Leave(); }
};

thread_local TCursor t_cursor;

constexpr std::size_t RoundUp(std::size_t n) { return (n + kAlign - 1) & ~(kAlign - 1); }

} // namespace

void *AllocateFrame(std::size_t size)
{
    const std::size_t need = RoundUp(size);
    if (need > kBlockSize / 4) {
        TBlock *own = NewBlock(RoundUp(sizeof(TBlock) + need), 1);
        return reinterpret_cast<char *>(own) + sizeof(TBlock);
    }
    TCursor &c = t_cursor;
    if (!c.Block || std::size_t(c.End - c.Next) < need) {
        TBlock *b = NewBlock(kBlockSize, kCarving);
        c.Leave();
        c.Block = b;
        c.Next = reinterpret_cast<char *>(b) + sizeof(TBlock);
        c.End = reinterpret_cast<char *>(b) + kBlockSize;
        c.Carved = 0;
    }
    void *p = c.Next;
    c.Next += need;
    ++c.Carved;
    return p;
}

void FreeFrame(void *p) noexcept
{
    if (p)
        Release(reinterpret_cast<TBlock *>(reinterpret_cast<std::uintptr_t>(p) & ~(kBlockSize - 1)));
}

#endif
