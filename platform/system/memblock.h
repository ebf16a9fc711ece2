#pragma once
// A movable global memory block: owns a zero-initialised byte buffer, or nothing.
// A block of zero bytes cannot be made (GlobalAlloc of 0 bytes gives no usable block).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

class GlobalBlock {
 public:
  GlobalBlock() = default;
  // Zero-filled block of the given size; empty when size is 0 or memory runs out.
  static GlobalBlock Alloc(size_t size);

  explicit operator bool() const { return Data != nullptr; }
  size_t Size() const { return Length; }  // GlobalSize
  std::span<uint8_t> Lock() { return {Data.get(), Length}; }
  std::span<const uint8_t> Lock() const { return {Data.get(), Length}; }
  void Free() {  // GlobalFree; leaves the handle empty
    Data.reset();
    Length = 0;
  }

 private:
  std::unique_ptr<uint8_t[]> Data;
  size_t Length = 0;
};
