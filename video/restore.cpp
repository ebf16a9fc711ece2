// Every surface gets its picture again: at start-up, after a loss and at each level.
#include <cstring>
#include <string>

#include "app/shell.h"
#include "video/video.h"

namespace {

using SurfaceHandle = std::unique_ptr<dd::Surface> VideoState::*;
using PictureHandle = std::unique_ptr<pic::Picture> VideoState::*;

struct RenderRow {
  SurfaceHandle surface;
  PictureHandle picture;  // null for the background, chosen by index
  int width, height;
  bool keyed;
  const char* surfaceName;
  const char* pictureName;
  const char* missingMessage;  // null: a missing handle skips the row
  const char* heightMessage = nullptr;
  const char* keyMessage = nullptr;
};

const RenderRow BackgroundRow{&VideoState::ddsBackground,
                              nullptr,
                              800,
                              600,
                              false,
                              "ddsBackground",
                              "imgBackground",
                              nullptr};
const RenderRow MiddleRows[] = {
    {&VideoState::ddsGame, &VideoState::imgGame, 640, 160, true, "ddsGame", "imgGame", nullptr},
    {&VideoState::ddsNauvrelExpl, &VideoState::imgNauvrelExpl, 800, 180, true, "ddsNauvrelExpl",
     "imgNauvrelExpl", nullptr},
    {&VideoState::ddsNauvrelExplB, &VideoState::imgNauvrelExplB, 700, 240, true, "ddsNauvrelExplB",
     "imgNauvrelExplB", nullptr},
    {&VideoState::ddsMenuBckg, &VideoState::imgMenuBckg, 800, 600, false, "ddsMenuBckg",
     "imgMenuBckg", nullptr},
    {&VideoState::ddsMenuSel, &VideoState::imgMenuSel, 250, 280, false, "ddsMenuSel", "imgMenuSel",
     "Image not loaded or surface not created: MenuSel"},
    {&VideoState::ddsBarel, &VideoState::imgBarel, 400, 40, true, "ddsBarel", "imgBarel", nullptr,
     "get_Hieght: imgBarel"},
    {&VideoState::ddsDigits, &VideoState::imgDigits, 400, 40, true, "ddsDigits", "imgDigits",
     "Image not loaded or surface not created: Digits"},
    {&VideoState::ddsBonus, &VideoState::imgBonus, 400, 40, true, "ddsBonus", "imgBonus", nullptr},
    {&VideoState::ddsControls, &VideoState::imgControls, 259, 20, true, "ddsControls",
     "imgControls", nullptr, nullptr, "SetColorKye: ddsControls"},
};
const RenderRow FontRow{
    &VideoState::ddsFont, &VideoState::imgFont, 320, 384, true, "ddsFont", "imgFont", nullptr};

bool Fail(const char* operation, const char* name) {
  return sysShowError((std::string(operation) + ": " + name).c_str());
}

bool Render(const RenderRow& row, const pic::Picture* picture) {
  dd::Surface* surface = (Video.*row.surface).get();
  if (!surface || !picture) return row.missingMessage ? sysShowError(row.missingMessage) : true;

  if (dd::Failed(surface->IsLost()) && dd::Failed(surface->Restore()))
    return Fail("Restore", row.surfaceName);
  pic::OLE_XSIZE_HIMETRIC width = 0;
  pic::OLE_YSIZE_HIMETRIC height = 0;
  if (dd::Failed(picture->get_Width(&width))) return Fail("get_Width", row.pictureName);
  if (dd::Failed(picture->get_Height(&height)))
    return row.heightMessage ? sysShowError(row.heightMessage)
                             : Fail("get_Height", row.pictureName);

  dd::HDC* dc = nullptr;
  if (dd::Failed(surface->GetDC(dc))) return Fail("GetDC", row.surfaceName);
  // Drawn from the bottom edge upwards with a negative height: upright, over the whole surface.
  if (dd::Failed(picture->Render(dc, 0, row.height, row.width, -row.height, 0, 0, width, height,
                                 nullptr))) {
    surface->ReleaseDC(dc);
    return Fail("Render", row.pictureName);
  }
  surface->ReleaseDC(dc);
  if (!row.keyed) return true;

  // The key is the top-left pixel; the word read may reach into the next pixels, whose
  // bits the surface ignores when it compares.
  dd::LockedRect locked;
  if (dd::Failed(surface->Lock(nullptr, locked, dd::DDLOCK_WAIT | dd::DDLOCK_READONLY)))
    return Fail("Lock", row.surfaceName);
  uint32_t word = 0;
  std::memcpy(&word, locked.bits, sizeof word);
  surface->Unlock(nullptr);
  dd::DDCOLORKEY key{word, word};
  if (dd::Failed(surface->SetColorKey(dd::DDCKEY_SRCBLT, &key)))
    return row.keyMessage ? sysShowError(row.keyMessage) : Fail("SetColorKey", row.surfaceName);
  return true;
}

}  // namespace

bool sysRestoreBackground(int index) {
  if (!Switches.ShowBackground || !Video.ddsBackground) return true;
  const pic::Picture* picture = index == 0   ? Video.imgBackground1.get()
                                : index == 1 ? Video.imgBackground2.get()
                                : index == 2 ? Video.imgBackground3.get()
                                             : nullptr;
  if (!picture) return true;
  return Render(BackgroundRow, picture);
}

bool sysRestoreFont() { return Render(FontRow, Video.imgFont.get()); }

bool sysRestoreSurfaces() {
  if (!sysRestoreBackground(Video.BackgroundIndex)) return false;
  for (const RenderRow& row : MiddleRows)
    if (!Render(row, (Video.*row.picture).get())) return false;
  return sysRestoreFont();
}
