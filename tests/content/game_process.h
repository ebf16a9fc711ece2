#pragma once
// The built game as a child process: headless, in the build folder with the archive the
// build made, its registry files under a folder of the test's.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// NAUVREL_QUIT_AFTER_FRAMES is set to `quitAfter`, or left unset when it is null.
pid_t StartGame(const std::filesystem::path& data, const char* quitAfter,
                const std::vector<std::string>& switches);

// Waits up to `limit` for the child; false when it is still running.
bool Ended(pid_t child, std::chrono::milliseconds limit, int& status);

// Where the game saves its settings and the table on the way out.
inline std::filesystem::path SavedRegistry(const std::filesystem::path& data) {
  return data / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg";
}
