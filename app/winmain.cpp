#include <cstring>

#include "app/frame_clock.h"
#include "app/init.h"
#include "app/shell.h"
#include "game/simulation.h"
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "screens/modes.h"

namespace {

// One simulation step and one drawn frame per idle turn while active; messages first.
int RunMessageLoop() {
  win::MSG msg;
  for (;;) {
    if (Shell.AppActive && !win::PeekMessage(msg)) {
      if (!SimulateFrame() || !RenderFrame()) win::PostMessage(Shell.Window, win::WM_CLOSE, 0, 0);
      continue;
    }
    if (win::GetMessage(msg) == 0) return static_cast<int>(msg.wParam);
    win::TranslateMessage(msg);
    win::DispatchMessage(msg);
  }
}

}  // namespace

int WinMain(const std::string& commandLine) {
  Switches = ReadSwitches(commandLine);
  win::SetWindowedPreference(std::strstr(commandLine.c_str(), "--windowed") != nullptr);

  win::WindowClass wc;
  wc.lpfnWndProc = MainWndProc;
  wc.lpszClassName = "Nauvrel_wnd";
  if (!LoadSettings()) return 0;
  if (!win::RegisterClassEx(wc)) return 0;
  Shell.Window = win::CreateWindowEx("Nauvrel_wnd", "Nauvrel", 544, 375);
  win::ShowWindow(Shell.Window);
  win::InvalidateRect(Shell.Window);
  win::SetCursor(nullptr);  // no cursor while loading

  if (!sysInit()) return 0;
  if (!sysTimerStart()) return 0;
  if (!hisLoadData()) return 0;

  const int exitCode = RunMessageLoop();

  SaveSettings();
  hisSaveData();
  sysTimerEnd();
  sysReleaseAll();
  return exitCode;
}
