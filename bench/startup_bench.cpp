// Start-up as a whole process: the built program, headless, in a folder with its archive,
// from exec to the first presented frame (NAUVREL_QUIT_AFTER_FRAMES=1 closes it there).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/stage.h"

extern char** environ;

namespace {

std::vector<std::string> Environment(const std::string& data) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string v = *e;
    if (v.starts_with("SDL_VIDEODRIVER=") || v.starts_with("SDL_AUDIODRIVER=") ||
        v.starts_with("XDG_DATA_HOME=") || v.starts_with("NAUVREL_QUIT_AFTER_FRAMES="))
      continue;
    env.push_back(v);
  }
  env.push_back("SDL_VIDEODRIVER=dummy");
  env.push_back("SDL_AUDIODRIVER=dummy");
  env.push_back("XDG_DATA_HOME=" + data);
  env.push_back("NAUVREL_QUIT_AFTER_FRAMES=1");
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> p;
  for (std::string& s : strings) p.push_back(s.data());
  p.push_back(nullptr);
  return p;
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "nauvrel-bench-startup";
  std::filesystem::create_directories(folder / "data");
  if (!stage::WriteArchive(32, (folder / "Nauvrel.spl").string()))
    return state.SkipWithError("no archive");
  // The bench pictures carry no sounds; the game's archive does.
  const bool gameArchive = std::string(stage::PictureSource()) == "game archive";
  std::vector<std::string> args{NAUVREL_PROGRAM, "--no-cd-music", "--windowed"};
  if (!gameArchive) args.push_back("--no-sound");
  std::vector<std::string> env = Environment((folder / "data").string());
  std::vector<char*> argv = Pointers(args), envp = Pointers(env);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  for (auto _ : state) {
    pid_t child = 0;
    if (posix_spawn(&child, NAUVREL_PROGRAM, nullptr, nullptr, argv.data(), envp.data()) != 0) {
      state.SkipWithError("the program did not start");
      break;
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not end well");
      break;
    }
  }
  std::filesystem::current_path(previous);
  state.SetLabel(stage::PictureSource());
}
BENCHMARK(BM_StartUpToFirstFrame)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
