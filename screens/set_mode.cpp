// Entering a mode: its cursor and, on an 8-bit display, its palette.
#include "screens/modes.h"
#include "video/video.h"

namespace {

void ApplyCursorRule(GameMode mode) {
  switch (mode) {
    case gmPlay:
      Screen.SavedCursor = win::SetCursor(nullptr);
      break;
    case gmMenu:
    case gmHelp1:
    case gmHelp2:
    case gmHelp3:
    case gmSettings:
      win::SetCursor(Screen.SavedCursor ? Screen.SavedCursor : win::LoadArrowCursor());
      break;
    case gmLogo:
    case gmHiScore:
      break;
  }
}

dd::Palette* PaletteFor(GameMode mode) {
  switch (mode) {
    case gmLogo:
      return Video.dplLogo.get();
    case gmMenu:
      return Video.dplMenu.get();
    case gmHiScore:
      return Video.dplHiScore.get();
    case gmHelp1:
    case gmHelp2:
    case gmHelp3:
      return Video.dplHelp.get();
    case gmPlay:
      return Video.dplGame.get();
    case gmSettings:
      return Video.dplSettings.get();
  }
  return nullptr;
}

}  // namespace

bool sysSetScreenPalette(GameMode mode) {
  dd::Palette* palette = PaletteFor(mode);
  if (!palette || !Video.ddObject || !Video.PrimarySurface) return true;  // not an 8-bit display
  Video.ddObject->WaitForVerticalBlank(dd::DDWAITVB_BLOCKEND, nullptr);
  Video.PrimarySurface->SetPalette(palette);
  if (mode != gmHiScore && mode != gmPlay) return true;
  // The two screens that print text: the font is drawn again in their colours.
  if (Video.ddsFont) Video.ddsFont->SetPalette(palette);
  return sysRestoreFont();
}

bool SetGameMode(GameMode mode) {
  Screen.Mode = mode;
  ApplyCursorRule(mode);
  return sysSetScreenPalette(mode);
}
