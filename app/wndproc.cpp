#include "app/frame_clock.h"
#include "app/shell.h"
#include "audio/cd.h"
#include "audio/volume.h"
#include "screens/input.h"
#include "screens/modes.h"
#include "screens/pad.h"

namespace {

constexpr win::WPARAM MCI_NOTIFY_SUCCESSFUL = 1;

void OnKey(win::HWND window, win::WPARAM key) {
  const auto toHandler = [&] {
    if (!OnKeyDown(win::LOWORD(key))) win::PostMessage(window, win::WM_CLOSE, 0, 0);
  };
  // The volume keys work on every screen, the name entry too (they type nothing there).
  if (volKey(win::LOWORD(key))) return;
  // During the name entry every key types.
  if (Screen.NameEntry) return toHandler();

  const auto cd = [](bool ok) {
    if (!ok) win::PostQuitMessage(0);
  };
  switch (key) {
    case 'M':
      return cd(CD.CDPlaying ? cdPause() : cdResume());
    case 'N':
      return cd(cdNextTrack());
    case 'P':
      return cd(cdPrevTrack());
    case win::VK_F12:
      return win::PostMessage(window, win::WM_CLOSE, 0, 0);
    default:
      return toHandler();
  }
}

}  // namespace

win::LRESULT MainWndProc(win::HWND window, uint32_t message, win::WPARAM wParam,
                         win::LPARAM lParam) {
  switch (message) {
    case win::WM_PAINT:
      win::TextOut(window, 10, 10, "Loading...", 10);
      return 0;
    case win::WM_ACTIVATEAPP:
      Shell.AppActive = wParam != 0;
      sysFrameTime();  // paused time is never simulated
      return 0;
    case win::WM_KEYDOWN:
      OnKey(window, wParam);
      return 0;
    case win::WM_DESTROY:
      win::PostQuitMessage(0);
      return 0;
    case win::WM_MOUSEMOVE:
      Shell.MouseX = win::LOWORD(static_cast<uint64_t>(lParam));
      Shell.MouseY = win::HIWORD(static_cast<uint64_t>(lParam));
      return 0;
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP:
      if (!OnMouseClick(win::LOWORD(static_cast<uint64_t>(lParam)),
                        win::HIWORD(static_cast<uint64_t>(lParam))))
        win::PostMessage(window, win::WM_CLOSE, 0, 0);
      return 0;
    case win::WM_GAMEPAD:
      if (!OnPadPress(wParam)) win::PostMessage(window, win::WM_CLOSE, 0, 0);
      return 0;
    case win::MM_MCINOTIFY:
      CD.CDPlaying = false;
      if (wParam == MCI_NOTIFY_SUCCESSFUL && !cdNextTrack()) win::PostQuitMessage(0);
      return 0;
    default:
      return win::DefWindowProc(window, message, wParam, lParam);
  }
}
