#pragma once
// The eight top-level modes, the play overlays and the operations that move between them.
#include <cstdint>

#include "platform/window/window.h"

enum GameMode : int32_t {
  gmLogo = 0,
  gmMenu = 1,
  gmHiScore = 2,
  gmHelp1 = 3,
  gmHelp2 = 4,
  gmHelp3 = 5,
  gmPlay = 6,
  gmSettings = 7,
};

enum MenuCommand : int32_t {
  mcNewGame = 1,
  mcContinue = 2,
  mcHiScore = 3,
  mcSettings = 4,
  mcHelp = 5,
  mcQuit = 6,
};

struct ScreenState {
  GameMode Mode = gmLogo;
  win::HCURSOR SavedCursor = nullptr;
  uint8_t LevelIntro = 0;  // the level text is shown, the world stands still
  uint8_t NameEntry = 0;   // the hi-score name is typed, the world stands still
  char PlayerName[40] = {};
  int32_t PlayerNameLength = 0;
};
inline ScreenState Screen;

bool RenderFrame();
bool SetGameMode(GameMode mode);
bool NewGame();
bool ContinueGame();
bool IsGameInProgress();
bool EndLevel();
void GameOver();
bool sysSetScreenPalette(GameMode mode);
bool sysRestorePrimary();
bool sysFlip();
