// libFuzzer: any bytes as the stored hi-score value, in a data folder of its own (in
// memory where /dev/shm exists, since every iteration replaces the hive file).
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "fuzz/registry_fuzz.h"

namespace {
std::filesystem::path& DataFolder() {
  static std::filesystem::path folder;
  return folder;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::filesystem::path base =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  std::string folder = (base / "nauvrel-fuzz-XXXXXX").string();
  if (!mkdtemp(folder.data())) return 1;
  DataFolder() = folder;
  setenv("XDG_DATA_HOME", folder.c_str(), 1);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(DataFolder(), ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzHiScoreValue(data, size);
}
