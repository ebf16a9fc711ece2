#include "platform/system/memblock.h"

#include <new>

GlobalBlock GlobalBlock::Alloc(size_t size) {
  GlobalBlock block;
  if (size == 0) return block;
  block.Data.reset(new (std::nothrow) uint8_t[size]());
  if (block.Data) block.Length = size;
  return block;
}
