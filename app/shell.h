#pragma once
// The application shell: process flags set from the command line, and the window state.
#include <cstdint>
#include <string>

#include "platform/window/window.h"

// Process flags, each set once from the command line before anything else runs.
struct SwitchFlags {
  bool NoCDMusic = false;
  bool Use32BitColors = true;
  bool Use8BitColors = false;
  bool DoubleBuffer = false;
  bool NoSound = false;  // also set when no sound device can be made
  bool SelectMode = false;
  bool ShowBackground = true;
};
inline SwitchFlags Switches;

struct ShellState {
  win::HWND Window = nullptr;
  bool ReleasingAll = false;  // sysReleaseAll is running
  bool AppActive = false;
  int32_t MouseX = 0;
  int32_t MouseY = 0;
};
inline ShellState Shell;

// The seven switches, found anywhere in the command line (case-sensitive substrings).
SwitchFlags ReadSwitches(const std::string& commandLine);
// The display depth the flags ask for when no mode was chosen in the dialog: 32, 16 or 8.
int SwitchDepth(const SwitchFlags& flags);

// The process entry point: returns the exit code carried by WM_QUIT, or 1 when start-up fails.
int WinMain(const std::string& commandLine);
win::LRESULT MainWndProc(win::HWND window, uint32_t message, win::WPARAM wParam,
                         win::LPARAM lParam);

// "Při běhu programu došlo k chybě!" in Windows-1250.
inline constexpr const char* ErrorCaption = "P\xF8i b\xEChu programu do\x9Alo k chyb\xEC!";

// The one way a fatal error reaches the user: release everything, then the message box.
// Always returns false, which the caller passes up.
bool sysShowError(const char* message);
