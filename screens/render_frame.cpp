// One frame: bring back a lost display, draw the current mode, present it.
#include "app/shell.h"
#include "screens/display.h"
#include "video/video.h"

namespace {

bool DrawMode() {
  switch (Screen.Mode) {
    case gmLogo:
      return DisplayLogo();
    case gmMenu:
      return DisplayMenu();
    case gmHiScore:
      return DisplayHiScore();
    case gmHelp1:
      return DisplayHelp(1);
    case gmHelp2:
      return DisplayHelp(2);
    case gmHelp3:
      return DisplayHelp(3);
    case gmPlay:
      return DisplayPlayFrame();
    case gmSettings:
      return DisplaySettings();
  }
  return true;
}

}  // namespace

bool sysRestorePrimary() {
  if (!Video.PrimarySurface) return sysShowError("Restore: PrimarySurface");
  if (!dd::Failed(Video.PrimarySurface->IsLost())) return true;
  if (dd::Failed(Video.PrimarySurface->Restore())) return sysShowError("Restore: PrimarySurface");
  // Every surface lost its contents with the display.
  return sysRestoreSurfaces();
}

bool sysFlip() {
  if (!Video.PrimarySurface || dd::Failed(Video.PrimarySurface->Flip(nullptr, dd::DDFLIP_WAIT)))
    return sysShowError("Flip: PrimarySurface");
  return true;
}

bool RenderFrame() {
  if (!Shell.AppActive) return true;
  return sysRestorePrimary() && DrawMode() && sysFlip();
}
