#pragma once
// Drawing into the back buffer: the playfield objects and the screens around the game.
// Each returns false after reporting its own failure.
#include <cstdint>

#include "game/world.h"
#include "screens/modes.h"

// The playfield, in the order a play frame draws it.
bool DisplayPlayFrame();
bool DisplayBackground();
bool sysDisplayBubbles(const Bubble* layer);
bool sysDisplayMine(int32_t column, double height);
bool sysDisplayTorpedo(double x, int32_t row);
bool DisplayBarel(int32_t column, int32_t row, const BarelCell& cell);
bool sysDisplayFloating();
bool DisplayFaller();
bool sysDispayPlayer(double x, int32_t row);
bool sysDisplayScore(int32_t score);

// The screens of the other modes.
bool DisplayLogo();
bool DisplayMenu();
bool DisplayMenuBckg();
bool DisplayMenuSel(MenuCommand item);
bool DisplayHelp(int page);
bool DisplaySettings();
bool DisplaySettingsBckg();
bool DisplayControlButton(int32_t x, int32_t y, bool on);
bool DisplayControlSlider(int32_t x, int32_t y, uint32_t value);
bool DisplayHiScore();
bool DisplayHSBckg();
