#pragma once
// Messages scheduled for a whole run of the program, as a player would give them.
#include "platform/window/window.h"

// The message `frames` frames after the one before it.
inline void Schedule(int frames, uint32_t message, win::WPARAM w = 0, win::LPARAM l = 0) {
  win::testing::ScheduleMessage(frames, win::MSG{nullptr, message, w, l});
}

inline void ScheduleKey(int frames, win::WPARAM key) { Schedule(frames, win::WM_KEYDOWN, key, 1); }

// Past the logo, a new game from the menu, and the level's introduction away.
inline void ScheduleNewGame() {
  ScheduleKey(3, win::VK_SPACE);
  Schedule(3, win::WM_MOUSEMOVE, 0, win::MAKELPARAM(650, 30));
  Schedule(2, win::WM_LBUTTONUP, 0, win::MAKELPARAM(650, 30));
  ScheduleKey(3, win::VK_RETURN);
}
