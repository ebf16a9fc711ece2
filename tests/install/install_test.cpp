// `cmake --install` into a temporary prefix gives a game that runs from anywhere, with a
// desktop entry, metainfo, icons and a manual page that their validators accept.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status = -1;
  std::string output;  // standard output and standard error together
};

// A shell command line, run with its output taken.
Outcome Shell(const std::string& command) {
  Outcome run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The installed game, headless, from `where`, quitting after a few frames.
Outcome Game(const fs::path& program, const fs::path& where, const fs::path& data,
             const std::string& args) {
  return Shell("cd " + Quoted(where) + " && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
               "NAUVREL_QUIT_AFTER_FRAMES=3 XDG_DATA_HOME=" + Quoted(data) + " " + Quoted(program) +
               " " + args);
}

Outcome Install(const fs::path& prefix, const std::string& destdir = "") {
  return Shell((destdir.empty() ? "" : "DESTDIR=" + destdir + " ") + NAUVREL_CMAKE_COMMAND +
               " --install " + Quoted(NAUVREL_BINARY_DIR) + " --prefix " + Quoted(prefix));
}

const std::string Id = NAUVREL_ID;
const std::string DesktopEntry = "share/applications/" + Id + ".desktop";
const std::string Metainfo = "share/metainfo/" + Id + ".metainfo.xml";

// Everything an install puts under its prefix.
std::vector<std::string> InstalledFiles() {
  std::vector<std::string> files{"bin/nauvrel",
                                 "share/nauvrel/Nauvrel.spl",
                                 "share/nauvrel/CD/Nauvrel.cue",
                                 "share/nauvrel/CD/Nauvrel.bin",
                                 "share/nauvrel/screenshot.png",
                                 "share/man/man6/nauvrel.6",
                                 DesktopEntry,
                                 Metainfo,
                                 "share/icons/hicolor/scalable/apps/" + Id + ".svg"};
  for (const char* size : {"32", "48", "128", "256"})
    files.push_back(std::string("share/icons/hicolor/") + size + "x" + size + "/apps/" + Id +
                    ".png");
  return files;
}

// Installed under a staging folder, as packagers do; the game finds its data from where
// its program stands, so the staged copy runs as an installed one would.
class Installed : public ::testing::Test {
 protected:
  void SetUp() override {
    const Outcome install = Install("/opt/nauvrel", stage.path.string());
    ASSERT_EQ(install.status, 0) << install.output;
  }
  fs::path Prefix() const { return stage.path / "opt/nauvrel"; }
  TempDir stage, elsewhere, data;
};

TEST_F(Installed, PutsEveryFileUnderThePrefixAndRunsFromAnotherFolder) {
  for (const std::string& file : InstalledFiles()) EXPECT_TRUE(fs::exists(Prefix() / file)) << file;
  const fs::path program = Prefix() / "bin/nauvrel";
  const Outcome run = Game(program, elsewhere.path, data.path, "--no-cd-music --bogus");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("unknown option '--bogus'"), std::string::npos) << run.output;
  // The game ran to its ordinary end: settings and table were saved on the way out.
  EXPECT_TRUE(fs::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg")) << run.output;
  const Outcome version = Shell(Quoted(program) + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output.rfind("Nauvrel ", 0), 0u) << version.output;
}

TEST_F(Installed, DesktopEntryAndMetainfoPassTheirValidators) {
  if (Shell("command -v desktop-file-validate appstreamcli").status != 0)
    GTEST_SKIP() << "desktop-file-validate or appstreamcli is not installed";
  const Outcome desktop = Shell("desktop-file-validate " + Quoted(Prefix() / DesktopEntry));
  EXPECT_EQ(desktop.status, 0) << desktop.output;
  EXPECT_EQ(desktop.output, "");
  const Outcome metainfo = Shell("appstreamcli validate --no-net " + Quoted(Prefix() / Metainfo));
  EXPECT_EQ(metainfo.status, 0) << metainfo.output;
}

// The built game finds the archive beside itself from any folder; copied alone elsewhere it
// finds none and names every folder it tried.
TEST(Install, TheArchiveBesideTheProgramServesAndWithoutOneTheMessageSaysWhereItLooked) {
  TempDir lonely, cwd, data;
  const Outcome built =
      Game(fs::path(NAUVREL_BINARY_DIR) / "nauvrel", cwd.path, data.path, "--no-cd-music");
  EXPECT_EQ(built.status, 0) << built.output;
  EXPECT_TRUE(fs::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg")) << built.output;

  fs::create_directories(lonely.path / "bin");
  fs::copy_file(fs::path(NAUVREL_BINARY_DIR) / "nauvrel", lonely.path / "bin/nauvrel");
  const Outcome alone = Game(lonely.path / "bin/nauvrel", cwd.path, data.path, "--no-cd-music");
  const std::string root = fs::canonical(lonely.path).string();
  const std::string looked =
      "FS_LoadSPL: Nauvrel.spl failed (looked in: " + fs::canonical(cwd.path).string() + ", " +
      root + "/bin, " + root + "/share/nauvrel";
  EXPECT_NE(alone.output.find(looked), std::string::npos) << alone.output;
}

}  // namespace
