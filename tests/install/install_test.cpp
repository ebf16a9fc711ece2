// `cmake --install` into a temporary prefix gives a game that runs from anywhere, with a
// desktop entry, metainfo, icons and a manual page that their validators accept; the built
// game runs from any folder too, until it is asked to quit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/command.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The game, headless, from `where`, with NAUVREL_QUIT_AFTER_FRAMES at `quitAfter` (unset when
// null). With `term` it must still run after 1.5 s (status 99 if not; an ended child not yet
// reaped is a zombie); it is then sent SIGTERM, and the outcome is its own exit status.
CommandResult Game(const fs::path& program, const fs::path& where, const fs::path& data,
                   const std::string& args, const char* quitAfter = "3", bool term = false) {
  const std::string run =
      "env -u NAUVREL_QUIT_AFTER_FRAMES SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
      (quitAfter ? "NAUVREL_QUIT_AFTER_FRAMES=" + Quoted(quitAfter) + " " : std::string()) +
      "XDG_DATA_HOME=" + Quoted(data) + " " + Quoted(program) + " " + args;
  return RunCommand("cd " + Quoted(where) + " && " +
                    (term ? "{ " + run +
                                " & p=$!; sleep 1.5; [ -e /proc/$p ] && ! grep -q '^State:.Z' "
                                "/proc/$p/status || exit 99; kill $p; wait $p; }"
                          : run));
}

const std::string Id = NAUVREL_ID;
const std::string DesktopEntry = "share/applications/" + Id + ".desktop";
const std::string Metainfo = "share/metainfo/" + Id + ".metainfo.xml";

std::vector<std::string> InstalledFiles() {
  std::vector<std::string> files{DesktopEntry, Metainfo, "bin/nauvrel", "share/man/man6/nauvrel.6"};
  for (const char* data : {"Nauvrel.spl", "CD/Nauvrel.cue", "CD/Nauvrel.bin", "screenshot.png"})
    files.push_back(std::string("share/nauvrel/") + data);
  for (const char* size : {"32x32", "48x48", "128x128", "256x256", "scalable"})
    files.push_back(std::string("share/icons/hicolor/") + size + "/apps/" + Id +
                    (*size == 's' ? ".svg" : ".png"));
  return files;
}

// Installed under a staging folder, as packagers do; the game finds its data from where
// its program stands, so the staged copy runs as an installed one would.
TEST(Install, PutsEveryFileUnderThePrefixRunsFromAnotherFolderAndPassesTheValidators) {
  TempDir stage, elsewhere, data;
  const CommandResult install =
      RunCommand("DESTDIR=" + Quoted(stage.path) + " " + NAUVREL_CMAKE_COMMAND + " --install " +
                 Quoted(NAUVREL_BINARY_DIR) + " --prefix /opt/nauvrel");
  ASSERT_EQ(install.status, 0) << install.output;
  const fs::path prefix = stage.path / "opt/nauvrel", program = prefix / "bin/nauvrel";
  for (const std::string& file : InstalledFiles()) EXPECT_TRUE(fs::exists(prefix / file)) << file;
  const CommandResult run = Game(program, elsewhere.path, data.path, "--no-cd-music --bogus");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("unknown option '--bogus'"), std::string::npos) << run.output;
  // The game ran to its ordinary end: settings and table were saved on the way out.
  EXPECT_TRUE(fs::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg")) << run.output;
  const CommandResult version = RunCommand(Quoted(program) + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output.rfind("Nauvrel ", 0), 0u) << version.output;

  if (RunCommand("command -v desktop-file-validate appstreamcli").status != 0)
    GTEST_SKIP() << "desktop-file-validate or appstreamcli is not installed";
  const CommandResult desktop =
      RunCommand("desktop-file-validate " + Quoted(prefix / DesktopEntry));
  EXPECT_EQ(desktop.status, 0) << desktop.output;
  EXPECT_EQ(desktop.output, "");
  const CommandResult metainfo =
      RunCommand("appstreamcli validate --no-net " + Quoted(prefix / Metainfo));
  EXPECT_EQ(metainfo.status, 0) << metainfo.output;
}

// The built game finds the archive beside itself from any folder and runs at every depth
// until it is asked to quit: NAUVREL_QUIT_AFTER_FRAMES ends it only when it is a positive
// number, and SIGTERM is a quit request that ends it the ordinary way, saving on the way.
// Copied alone elsewhere it finds no archive and names every folder it tried.
TEST(Install, TheBuiltGameRunsFromAnyFolderUntilAskedToQuitAndWithoutAnArchiveSaysWhere) {
  const fs::path built = fs::path(NAUVREL_BINARY_DIR) / "nauvrel";
  const std::pair<const char*, const char*> runs[] = {
      {"", nullptr}, {"--use-16-bit-colors", "0"}, {"--use-8-bit-colors", "-2"}, {"", "soon"}};
  for (const auto& [args, quitAfter] : runs) {
    SCOPED_TRACE(std::string(args) + " quit after " + (quitAfter ? quitAfter : "unset"));
    TempDir cwd, data;
    const CommandResult run = Game(built, cwd.path, data.path, args, quitAfter, true);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg")) << run.output;
  }
  TempDir lonely, cwd, data;
  fs::create_directories(lonely.path / "bin");
  fs::copy_file(built, lonely.path / "bin/nauvrel");
  const CommandResult alone =
      Game(lonely.path / "bin/nauvrel", cwd.path, data.path, "--no-cd-music");
  const std::string root = fs::canonical(lonely.path).string();
  const std::string looked =
      "FS_LoadSPL: Nauvrel.spl failed (looked in: " + fs::canonical(cwd.path).string() + ", " +
      root + "/bin, " + root + "/share/nauvrel";
  EXPECT_NE(alone.output.find(looked), std::string::npos) << alone.output;
}

}  // namespace
