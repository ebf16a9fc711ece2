#pragma once
// How the game is shown, kept beside the settings under HKEY_CURRENT_USER: the scaling
// mode, full screen or a window, and the display. The command line's "--scale=NAME" and
// "--windowed" override what was kept; what the player leaves at exit is kept for next time.
#include <string>

// Before the window is made: tells the window what to open as.
void LoadPresentation(const std::string& commandLine);
// At exit, while the window still exists.
void SavePresentation();
