#pragma once
// The seven user settings, kept under HKEY_CURRENT_USER between runs.
#include <cstdint>

struct SettingsState {
  uint32_t NauvrelBubbles = 192;
  uint32_t NauvrelExplBubbles = 192;
  uint32_t MineBubbles = 192;
  uint32_t TorpedoBubbles = 192;
  uint32_t BarelExplBubbles = 192;
  uint32_t BarelFloatBubbles = 192;
  bool UseSound = true;
};
inline SettingsState Settings;

bool LoadSettings();
bool SaveSettings();
