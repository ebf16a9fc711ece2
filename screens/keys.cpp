// Key presses, by mode; the hi-score name is typed here too.
#include "app/shell.h"
#include "game/simulation.h"
#include "game/world.h"
#include "persist/hiscore.h"
#include "screens/input.h"
#include "screens/modes.h"
#include "screens/transitions.h"

namespace {

constexpr int32_t NameLimit = 39;

bool NameEntryKey(uint16_t key) {
  if ((key >= 'A' && key <= 'Z') || key == win::VK_SPACE) {
    if (Screen.PlayerNameLength < NameLimit) {
      Screen.PlayerName[Screen.PlayerNameLength++] = static_cast<char>(key);
      Screen.PlayerName[Screen.PlayerNameLength] = 0;
    }
    return true;
  }
  if (key == win::VK_BACK) {
    if (Screen.PlayerNameLength > 0) Screen.PlayerName[--Screen.PlayerNameLength] = 0;
    return true;
  }
  if (key != win::VK_RETURN) return true;
  if (!hisInsert(Screen.PlayerName, World.BestScore)) return false;
  Screen.NameEntry = 0;
  const bool entered = SetGameMode(gmMenu);
  World.Level = 0;
  return entered;
}

bool PlayKey(uint16_t key) {
  if (Screen.LevelIntro) return EndIntroduction();
  if (Screen.NameEntry) return NameEntryKey(key);
  switch (key) {
    case win::VK_ESCAPE:
      return SetGameMode(gmMenu);  // the pause: the game stays in progress
    case win::VK_CONTROL:
      return FireTorpedo();
    case win::VK_SPACE:
      return DropMine();
    default:
      return true;
  }
}

}  // namespace

bool OnKeyDown(uint16_t key) {
  switch (Screen.Mode) {
    case gmLogo:
    case gmHiScore:
    case gmHelp1:
    case gmHelp2:
    case gmHelp3:
      return ClickAndEnter(PageAfter(Screen.Mode));
    case gmMenu:
      if (key != win::VK_ESCAPE) return true;
      if (!sndPlayMenuClick()) return false;
      win::PostMessage(Shell.Window, win::WM_CLOSE, 0, 0);
      return true;
    case gmSettings:
      return key != win::VK_ESCAPE || ClickAndEnter(gmMenu);
    case gmPlay:
      return PlayKey(key);
  }
  return true;
}
