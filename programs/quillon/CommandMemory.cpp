// The memory of the quillon command: a bump arena for the blocks of its
// start-up.
//
// The command answers a question and ends. Nearly all its work is loading
// the units file, some ten thousand small blocks (names, index nodes, GMP
// limbs) that live until the process ends; a general allocator spends more
// on keeping and searching its free lists than the loader spends on the
// definitions. Here every block of operator new and of GMP comes from one
// mapping, taken in one call with its pages populated, by moving a pointer.
// Small blocks given back with their size (as containers, strings and GMP
// give them) wait in a list per size for the next block of that size, so
// that temporaries reuse the same, warm memory; the rest of the arena's
// memory returns with the process.
// When the arena is full (a long session of lines on standard input, a huge
// number) blocks come from malloc as before, so memory stays bounded by the
// arena's size plus what the general allocator would use.
//
// This file replaces the global operator new and delete, as the C++ standard
// allows a program to; it is linked into the command only, never into a
// library, the window or the tests, and not under the sanitizers, whose
// run-time library replaces them itself.
#include <gmp.h>
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kArenaSize = std::size_t{8} << 20;
// The start-up uses about this much; its pages are mapped at once, the rest
// of the arena page by page as it is used.
constexpr std::size_t kPopulated = std::size_t{768} << 10;
constexpr std::size_t kAlignment = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

// Blocks up to this size given back are kept for reuse, one list per
// multiple of kAlignment.
constexpr std::size_t kLargestKept = 512;

// The command has one thread: no locking.
unsigned char* arenaBegin = nullptr;
unsigned char* arenaTop = nullptr;
unsigned char* arenaEnd = nullptr;
bool arenaFailed = false;

struct FreeBlock {
  FreeBlock* next;
};
FreeBlock* freeBlocks[kLargestKept / kAlignment + 1] = {};

constexpr std::size_t Rounded(std::size_t size) {
  return (size + kAlignment - 1) & ~(kAlignment - 1);
}

bool MapArena() {
  if (arenaFailed) return false;
  void* mapping =
      mmap(nullptr, kArenaSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) {
    arenaFailed = true;
    return false;
  }
#if defined(MADV_POPULATE_WRITE)
  // Kernels before 5.14 refuse the advice: the pages are then faulted in one
  // by one as usual.
  madvise(mapping, kPopulated, MADV_POPULATE_WRITE);
#endif
  arenaBegin = static_cast<unsigned char*>(mapping);
  arenaTop = arenaBegin;
  arenaEnd = arenaBegin + kArenaSize;
  return true;
}

bool InArena(const void* block) {
  const auto* byte = static_cast<const unsigned char*>(block);
  return byte >= arenaBegin && byte < arenaEnd;
}

// A block of `size` bytes, null when there is no memory.
void* Allocate(std::size_t size) {
  if (size == 0) size = 1;
  const std::size_t rounded = Rounded(size);
  if (rounded <= kLargestKept) {
    if (FreeBlock*& kept = freeBlocks[rounded / kAlignment]; kept != nullptr) {
      FreeBlock* block = kept;
      kept = block->next;
      return block;
    }
  }
  if (rounded >= size && (arenaBegin != nullptr || MapArena()) &&
      rounded <= static_cast<std::size_t>(arenaEnd - arenaTop)) {
    void* block = arenaTop;
    arenaTop += rounded;
    return block;
  }
  return std::malloc(size);
}

// Gives `block` back; `size` is its size, or 0 when not known.
void Release(void* block, std::size_t size) {
  if (block == nullptr) return;
  if (!InArena(block)) {
    std::free(block);
    return;
  }
  if (size == 0) return;  // of unknown size: left where it is
  const std::size_t rounded = Rounded(size);
  if (static_cast<unsigned char*>(block) + rounded == arenaTop) {
    arenaTop = static_cast<unsigned char*>(block);
  } else if (rounded <= kLargestKept) {
    auto* kept = static_cast<FreeBlock*>(block);
    kept->next = freeBlocks[rounded / kAlignment];
    freeBlocks[rounded / kAlignment] = kept;
  }
}

void* Resize(void* block, std::size_t oldSize, std::size_t newSize) {
  if (block == nullptr) return Allocate(newSize);
  if (!InArena(block)) return std::realloc(block, newSize);
  auto* byte = static_cast<unsigned char*>(block);
  // The last block grows or shrinks where it is.
  if (byte + Rounded(oldSize) == arenaTop && Rounded(newSize) >= newSize &&
      Rounded(newSize) <= static_cast<std::size_t>(arenaEnd - byte)) {
    arenaTop = byte + Rounded(newSize);
    return block;
  }
  void* moved = Allocate(newSize);
  if (moved == nullptr) return nullptr;
  std::memcpy(moved, block, oldSize < newSize ? oldSize : newSize);
  Release(block, oldSize);
  return moved;
}

void* AllocateOrThrow(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}

// GMP's allocation functions are these three (GMP aborts itself when one
// returns null), set before any GMP number is made: the static initializers
// of the command make none, and this one runs first among its own file's.
struct GmpMemory {
  GmpMemory() { mp_set_memory_functions(Allocate, Resize, Release); }
} gmpMemory;

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void operator delete(void* block) noexcept { Release(block, 0); }
void operator delete[](void* block) noexcept { Release(block, 0); }
void operator delete(void* block, std::size_t size) noexcept { Release(block, size); }
void operator delete[](void* block, std::size_t size) noexcept { Release(block, size); }
