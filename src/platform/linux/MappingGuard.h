#pragma once
// Reads of a file mapping survive another program truncating the file: a page past the new end
// raises SIGBUS, and for a guarded mapping the handler puts a page of zeros in its place and
// notes it, so the reader goes on and can be told afterwards that its bytes are not the file's.
//
// The guarded mappings sit in a fixed table of atomics, which the handler can read without
// locks; a mapping that finds every slot taken is read unguarded, as all mappings were before.
// Any other SIGBUS goes to the handler that was installed before, or kills as usual.

#include <cstddef>

namespace veskor {

inline constexpr int kGuardedMappings = 64;

// Guards [address, address + size), installing the handler on first use; the slot, or -1 when
// every slot is taken (or the handler could not be installed).
[[nodiscard]] int guardMapping(const void* address, std::size_t size);
// Frees the slot; call it before the mapping is unmapped. -1 is ignored.
void unguardMapping(int slot);
// A page of the mapping had gone when it was read and now reads as zeros; false for -1.
[[nodiscard]] bool mappingTruncated(int slot);

} // namespace veskor
