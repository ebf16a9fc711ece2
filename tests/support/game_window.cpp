#include "support/game_window.h"

#include "app/shell.h"
#include "platform/window/window.h"

namespace {

win::LRESULT Quiet(win::HWND hwnd, uint32_t message, win::WPARAM w, win::LPARAM l) {
  return win::DefWindowProc(hwnd, message, w, l);
}

}  // namespace

bool OpenQuietWindow() {
  win::SetWindowedPreference(true);
  win::WindowClass wc;
  wc.lpfnWndProc = Quiet;
  wc.lpszClassName = "Nauvrel_wnd";
  if (!win::RegisterClassEx(wc)) return false;
  Shell.Window = win::CreateWindowEx("Nauvrel_wnd", "Nauvrel", 544, 375);
  if (!Shell.Window) return false;
  win::ShowWindow(Shell.Window);
  return true;
}

void CloseQuietWindow() {
  win::DestroyWindow(Shell.Window);
  Shell.Window = nullptr;
}
