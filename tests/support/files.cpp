#include "support/files.h"

#include <fstream>
#include <iterator>

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

void WriteFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  WriteFile(file, std::string(bytes.begin(), bytes.end()));
}

std::vector<std::pair<std::string, std::string>> CorpusSeeds(const std::string& name) {
  std::vector<std::pair<std::string, std::string>> seeds;
  const auto corpus = std::filesystem::path(NAUVREL_SOURCE_DIR) / "tests/fuzz/corpus" / name;
  for (const auto& entry : std::filesystem::directory_iterator(corpus))
    if (entry.is_regular_file())
      seeds.emplace_back(entry.path().filename().string(), ReadFile(entry.path()));
  return seeds;
}
