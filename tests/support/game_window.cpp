#include "support/game_window.h"

#include <gtest/gtest.h>

#include "app/shell.h"
#include "platform/window/sdl_window.h"
#include "platform/window/window.h"
#include "support/offscreen.h"

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

QuietFlipWindow::QuietFlipWindow(int depth) {
  win::testing::Reset();
  EXPECT_TRUE(OpenQuietWindow());
  EXPECT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
  device->SetCooperativeLevel(Shell.Window, dd::DDSCL_EXCLUSIVE | dd::DDSCL_FULLSCREEN);
  SetDepth(depth);
}

void QuietFlipWindow::SetDepth(int depth) {
  primary.reset();
  EXPECT_EQ(device->SetDisplayMode(800, 600, depth, 0, 0), dd::DD_OK);
  dd::DDSURFACEDESC2 desc;
  desc.dwFlags = dd::DDSD_CAPS | dd::DDSD_BACKBUFFERCOUNT;
  desc.dwCaps = dd::DDSCAPS_PRIMARYSURFACE | dd::DDSCAPS_FLIP | dd::DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 1;
  back = nullptr;
  ASSERT_EQ(device->CreateSurface(desc, primary), dd::DD_OK);
  EXPECT_EQ(primary->GetAttachedSurface(dd::DDSCAPS_BACKBUFFER, &back), dd::DD_OK);
}

QuietFlipWindow::~QuietFlipWindow() {
  primary.reset();
  device.reset();
  CloseQuietWindow();
  win::testing::Reset();
  win::SetScaleMode(win::ScaleMode::Smooth);
}

void QuietFlipWindow::Resize(int w, int h) {
  SDL_SetWindowSize(win::SdlWindow(Shell.Window), w, h);
  win::MSG msg;
  while (win::PeekMessage(msg)) win::GetMessage(msg);
}

std::vector<uint32_t> QuietFlipWindow::Show(const std::function<uint32_t(int x, int y)>& value,
                                            int& w, int& h) {
  WritePixels(*back, value);
  EXPECT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
  return dd::testing::WindowPixels(w, h);
}
