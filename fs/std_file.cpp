#include <cstdint>

#include "fs/tfile.h"

void TStdFile::Close() {
  if (Stream) std::fclose(Stream);
  Stream = nullptr;
}

uint32_t TStdFile::Read(uint8_t* buffer, uint32_t count) {
  return Stream ? static_cast<uint32_t>(std::fread(buffer, 1, count, Stream)) : 0;
}

int TStdFile::Seek(int32_t offset, int origin) {
  return Stream ? std::fseek(Stream, offset, origin) : -1;
}

uint32_t TStdFile::GetSize() {
  if (!Stream) return 0;
  const long here = std::ftell(Stream);
  std::fseek(Stream, 0, SEEK_END);
  const long size = std::ftell(Stream);
  std::fseek(Stream, here < 0 ? 0 : here, SEEK_SET);
  // A file of 4 GiB or more does not fit the 32-bit size: it reads as the largest size,
  // which FS_ReadAll refuses, never as its length modulo 4 GiB.
  if (size < 0) return 0;
  return static_cast<unsigned long>(size) > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size);
}

uint32_t TStdFile::Tell() {
  const long here = Stream ? std::ftell(Stream) : 0;
  return here < 0 ? 0 : static_cast<uint32_t>(here);
}
