#include "game_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

pid_t StartGame(const std::filesystem::path& data, const char* quitAfter,
                const std::vector<std::string>& switches) {
  const std::string program = (std::filesystem::path(NAUVREL_BINARY_DIR) / "nauvrel").string();
  const pid_t child = fork();
  if (child != 0) return child;
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (quitAfter)
    setenv("NAUVREL_QUIT_AFTER_FRAMES", quitAfter, 1);
  else
    unsetenv("NAUVREL_QUIT_AFTER_FRAMES");
  if (chdir(NAUVREL_BINARY_DIR) != 0) _exit(126);
  std::vector<char*> argv{const_cast<char*>("nauvrel")};
  for (const std::string& s : switches) argv.push_back(const_cast<char*>(s.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

bool Ended(pid_t child, std::chrono::milliseconds limit, int& status) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (waitpid(child, &status, WNOHANG) == child) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}
