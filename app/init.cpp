// Bringing everything up in its fixed order, and giving it back.
#include "app/init.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/shell.h"
#include "audio/cd.h"
#include "audio/sound.h"
#include "fs/file_system.h"
#include "video/video.h"

namespace {

using PictureHandle = std::unique_ptr<pic::Picture> VideoState::*;

struct PictureRow {
  PictureHandle picture;
  bool background;  // left out with --no-background
  const char* trueColourFile;
  const char* trueColourMessage;
  const char* paletteFile;
  const char* paletteMessage;
};

constexpr PictureRow Pictures[] = {
    {&VideoState::imgMenuBckg, false, "Grafika/MenuBckg.jpg", "sysLoadImage: MenuBckg.jpg",
     "Grafika8/MenuBckg.gif", "sysLoadImage: MenuBckg.gif"},
    {&VideoState::imgBackground1, true, "Grafika/Background1.jpg", "sysLoadImage: Background1.jpg",
     "Grafika8/Background1.gif", "sysLoadImage: Background1.gif"},
    {&VideoState::imgBackground2, true, "Grafika/Background2.jpg", "sysLoadImage: Background2.jpg",
     "Grafika8/Background2.gif", "sysLoadImage: Background2.gif"},
    {&VideoState::imgBackground3, true, "Grafika/Background3.jpg", "sysLoadImage: Background3.jpg",
     "Grafika8/Background3.gif", "sysLoadImage: Background3.gif"},
    {&VideoState::imgGame, false, "Grafika/Game.bmp", "sysLoadImage: Game.bmp", "Grafika8/Game.gif",
     "sysLoadImage: Game.gif"},
    {&VideoState::imgMenuSel, false, "Grafika/MenuSel.jpg", "sysLoadImage: MenuSel.jpg",
     "Grafika8/MenuSel.gif", "sysLoadImage: MenuSel.gif"},
    {&VideoState::imgBarel, false, "Grafika/Barel.bmp", "sysLoadImage: Barel.bmp",
     "Grafika8/Barel.gif", "sysLoadImage: Barel.gif"},
    {&VideoState::imgDigits, false, "Grafika/Digits.bmp", "sysLoadImage: Digits.bmp",
     "Grafika8/Digits.gif", "sysLoadImage: Digits.gif"},
    {&VideoState::imgLogo, false, "Grafika/Logo.jpg", "sysLoadImage: Logo.jpg", "Grafika8/Logo.gif",
     "sysLoadImage: Logo.gif"},
    {&VideoState::imgBonus, false, "Grafika/Bonus.bmp", "sysLoadImage: bonus.bmp",
     "Grafika8/Bonus.gif", "sysLoadImage: bonus.gif"},
    {&VideoState::imgHelp1, false, "Grafika/Help1.jpg", "sysLoadImage: Help1.jpg",
     "Grafika8/Help1.gif", "sysLoadImage: help1.gif"},
    {&VideoState::imgHelp2, false, "Grafika/Help2.jpg", "sysLoadImage: Help2.jpg",
     "Grafika8/Help2.gif", "sysLoadImage: help2.gif"},
    {&VideoState::imgHelp3, false, "Grafika/Help3.jpg", "sysLoadImage: Help3.jpg",
     "Grafika8/Help3.gif", "sysLoadImage: help3.gif"},
    {&VideoState::imgSettings, false, "Grafika/Setup.jpg", "sysLoadImage: Setup.jpg",
     "Grafika8/Settings.gif", "sysLoadImage: Settings.gif"},
    {&VideoState::imgControls, false, "Grafika/Controls.bmp", "sysLoadImage: Controls.bmp",
     "Grafika8/Controls.gif", "sysLoadImage: Controls.gif"},
    {&VideoState::imgNauvrelExpl, false, "Grafika/NauvrelExpl.bmp", "sysLoadImage: NauvrelExpl.bmp",
     "Grafika8/NauvrelExpl.gif", "sysLoadImage: NauvrelExpl.gif"},
    {&VideoState::imgHiScore, false, "Grafika/HiScore.jpg", "sysLoadImage: HiScore.jpg",
     "Grafika8/HiScore.gif", "sysLoadImage: HiScore.gif"},
    {&VideoState::imgNauvrelExplB, false, "Grafika/NauvrelExplB.bmp",
     "sysLoadImage: NauvrelExplB.bmp", "Grafika8/NauvrelExplB.gif",
     "sysLoadImage: NauvrelExplB.gif"},
};

bool LoadPictures(int depth) {
  const bool trueColour = depth == 16 || depth == 24 || depth == 32;
  if (!trueColour && depth != 8) return true;  // a depth nothing was drawn for
  for (const PictureRow& row : Pictures) {
    if (row.background && !Switches.ShowBackground) continue;
    Video.*row.picture =
        sysLoadImage(LocalisedPicture(trueColour ? row.trueColourFile : row.paletteFile).c_str());
    if (!(Video.*row.picture))
      return sysShowError(trueColour ? row.trueColourMessage : row.paletteMessage);
  }
  return true;
}

// The archive of the first folder that has one: the working directory, then the program's
// folder, then the installed data folder. A broken archive there stops start-up rather than
// letting an older one elsewhere stand in for it unseen.
bool LoadArchive() {
  const std::vector<std::string> folders = sys::DataFolders();
  std::string looked;
  for (const std::string& folder : folders) {
    const bool workingDirectory = &folder == &folders.front();
    const std::string path = workingDirectory ? "Nauvrel.spl" : folder + "/Nauvrel.spl";
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
      if (FS_LoadSPL(FileSystem.Files, path.c_str())) return true;
      return sysShowError(("FS_LoadSPL: Nauvrel.spl failed (" + folder + "/Nauvrel.spl)").c_str());
    }
    looked += (looked.empty() ? "" : ", ") + folder;
  }
  return sysShowError(("FS_LoadSPL: Nauvrel.spl failed (looked in: " + looked + ")").c_str());
}

}  // namespace

bool sysInit() {
  FileSystem.Files = FS_Init();
  if (!FileSystem.Files) return sysShowError("FS_Init failed");
  if (!LoadArchive()) return false;
  if (!Switches.NoSound && !sndInit()) return false;

  const dd::GUID* device = nullptr;
  int depth = SwitchDepth(Switches), refreshRate = 0;
  if (Switches.SelectMode) {
    int chosenDepth = 0, chosenRate = 0;
    const dd::GUID* chosenDevice = nullptr;
    if (sysSelectMode(chosenDepth, chosenRate, chosenDevice))
      device = chosenDevice, depth = chosenDepth, refreshRate = chosenRate;
  }
  return sysInitDisplay(device, depth, refreshRate);
}

bool sysInitDisplay(const dd::GUID* device, int depth, int refreshRate) {
  Video.RequestedDepth = depth;
  if (!sysSetupDisplay(device, depth, refreshRate)) return false;
  if (!LoadPictures(depth)) return false;
  Video.imgFont = sysLoadImage("Grafika/Font.bmp");
  if (!Video.imgFont) return sysShowError("sysLoadImage: Font.bmp");
  if (!sysCreateSurfaces() || !sysCreatePalettes(depth) || !sysRestoreSurfaces()) return false;
  FillDirectionTable();
  return true;
}

void sysReleaseAll() {
  // A step that reports an error from in here (the CD stop) shows its message without
  // starting the release again.
  if (Shell.ReleasingAll) return;
  Shell.ReleasingAll = true;
  sysReleaseSurfaces();
  sndReleaseAll();
  sysReleasePalettes();
  sysReleaseDisplay();
  sndReleaseDevice();
  if (FileSystem.Files) {
    FS_Done(FileSystem.Files);
    FileSystem.Files = nullptr;
  }
  sysReleasePictures();
  sndFreeImages();
  if (CD.CDOpen) cdClose();
  Shell.ReleasingAll = false;
}

void FillDirectionTable() {
  constexpr double Pi = 3.14159265358979;  // as the table was always made, not M_PI
  for (int i = 0; i < 36; ++i) {
    DirCos[i] = std::cos(i * Pi / 18);
    DirSin[i] = std::sin(i * Pi / 18);
  }
}
