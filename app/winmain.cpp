#include "app/demo.h"
#include "app/frame_clock.h"
#include "app/init.h"
#include "app/player_options.h"
#include "app/shell.h"
#include "audio/volume.h"
#include "game/simulation.h"
#include "persist/hiscore.h"
#include "persist/player_settings.h"
#include "persist/presentation.h"
#include "persist/settings.h"
#include "screens/modes.h"

namespace {

void RunFrame() {
  if (!SimulateFrame() || !RenderFrame()) win::PostMessage(Shell.Window, win::WM_CLOSE, 0, 0);
}

// One simulation step and one drawn frame per idle turn while active; messages first.
int RunMessageLoop() {
  const bool recording = Demo.Mode == DemoMode::Record;
  win::MSG msg;
  for (;;) {
    if (Shell.AppActive && !win::PeekMessage(msg)) {
      if (recording) DemoWriteFrame();
      RunFrame();
      continue;
    }
    if (win::GetMessage(msg) == 0) return static_cast<int>(msg.wParam);
    if (recording && DemoRecordsInput(msg.message)) DemoWriteMessage(msg);
    win::TranslateMessage(msg);
    win::DispatchMessage(msg);
  }
}

// A demo in place of the keyboard, the mouse and the clock, as fast as frames can be made.
// Messages the game posts itself still count, and so does closing the window.
int RunReplayLoop() {
  win::MSG msg;
  bool closing = false;
  for (;;) {
    while (win::PeekMessage(msg)) {
      if (win::GetMessage(msg) == 0) return static_cast<int>(msg.wParam);
      if (!DemoRecordsInput(msg.message)) win::DispatchMessage(msg);
    }
    if ((Demo.Ended || Demo.Broken) && !closing) {
      win::PostMessage(Shell.Window, win::WM_CLOSE, 0, 0);
      closing = true;
    }
    if (closing) {
      if (win::GetMessage(msg) == 0) return static_cast<int>(msg.wParam);
      win::DispatchMessage(msg);
      continue;
    }
    switch (DemoNext(msg)) {
      case DemoStep::Message:
        msg.hwnd = Shell.Window;
        win::DispatchMessage(msg);
        break;
      case DemoStep::Frame:
        RunFrame();
        break;
      case DemoStep::End:
        break;
    }
  }
}

}  // namespace

int WinMain(const std::string& commandLine) {
  Switches = ReadSwitches(commandLine);
  if (!DemoReadSwitches(commandLine)) return 1;
  LoadPresentation(commandLine);
  PlayerOptions options;
  if (!ReadPlayerOptions(commandLine, options)) return 1;

  win::WindowClass wc;
  wc.lpfnWndProc = MainWndProc;
  wc.lpszClassName = "Nauvrel_wnd";
  // A start-up that fails has shown its message; the status tells scripts it failed.
  if (!LoadSettings()) return 1;
  if (!LoadPlayerSettings()) return 1;
  ApplyPlayerOptions(options);
  volApplyMusic();
  if (!win::RegisterClassEx(wc)) return 1;
  Shell.Window = win::CreateWindowEx("Nauvrel_wnd", "Nauvrel", 544, 375);
  win::ShowWindow(Shell.Window);
  win::InvalidateRect(Shell.Window);
  win::SetCursor(nullptr);  // no cursor while loading

  if (!sysInit()) return 1;
  if (!sysTimerStart()) return 1;
  if (!hisLoadData()) return 1;
  if (!DemoStart()) {
    sysReleaseAll();
    return 1;
  }

  const bool replay = Demo.Mode == DemoMode::Replay;
  const int exitCode = replay ? RunReplayLoop() : RunMessageLoop();

  // A replay leaves the player's settings and table as they were.
  if (!replay) {
    // The player's values go beside the settings, and only one failure is reported.
    if (SaveSettings()) SavePlayerSettings();
    SavePresentation();
    hisSaveData();
  }
  DemoFinish();
  sysTimerEnd();
  sysReleaseAll();
  return replay && Demo.Broken ? 2 : exitCode;
}
