#include "platform/system/data_folders.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>

#include "build_info.h"

namespace sys {
namespace {

namespace fs = std::filesystem;

std::string ProgramFolder() {
  char* base = SDL_GetBasePath();
  if (!base) return {};
  std::string folder = base;
  SDL_free(base);
  return folder;
}

}  // namespace

std::vector<std::string> DataFolders() {
  std::error_code error;
  fs::path workingDirectory = fs::current_path(error);
  if (error) workingDirectory = ".";
  std::vector<fs::path> candidates{workingDirectory};
  const std::string program = ProgramFolder();
  if (!program.empty()) {
    candidates.push_back(program);
    candidates.push_back(fs::path(program) / InstalledDataFromProgram);
  }
  candidates.push_back(InstalledDataFolder);

  std::vector<std::string> folders;
  std::vector<fs::path> seen;
  for (const fs::path& candidate : candidates) {
    if (candidate.empty()) continue;
    // Compare what the folders really are, so a build run from its own folder looks once.
    const fs::path real = fs::weakly_canonical(candidate, error);
    const fs::path key = error ? candidate.lexically_normal() : real;
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    std::string text = candidate.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    folders.push_back(text);
  }
  return folders;
}

}  // namespace sys
