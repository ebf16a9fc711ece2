// libFuzzer: any bytes as a hive file.
#include "fuzz/registry_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzRegistryFile(data, size);
}
