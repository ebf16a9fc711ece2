#pragma once
// The file objects: an abstract file, a disk file and an archive member.
#include <cstdint>
#include <cstdio>

class TFile {
 public:
  virtual ~TFile() = default;
  virtual void Close() {}
  virtual uint32_t Read(uint8_t* buffer, uint32_t count) = 0;
  virtual int Seek(int32_t offset, int origin) = 0;
  virtual uint32_t GetSize() = 0;
  virtual uint32_t Tell() = 0;
};
