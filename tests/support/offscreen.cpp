#include "offscreen.h"

#include <gtest/gtest.h>

#include <cstring>

std::unique_ptr<dd::Surface> MakeOffscreen(dd::DirectDraw& device, int width, int height) {
  dd::DDSURFACEDESC2 desc;
  desc.dwFlags = dd::DDSD_CAPS | dd::DDSD_WIDTH | dd::DDSD_HEIGHT;
  desc.dwCaps = dd::DDSCAPS_OFFSCREENPLAIN;
  desc.dwWidth = width;
  desc.dwHeight = height;
  std::unique_ptr<dd::Surface> surface;
  EXPECT_EQ(device.CreateSurface(desc, surface), dd::DD_OK);
  return surface;
}

void WritePixels(dd::Surface& surface, const std::function<uint32_t(int x, int y)>& value) {
  const int bytes = (surface.BitsPerPixel() + 7) / 8;
  dd::LockedRect locked;
  ASSERT_EQ(surface.Lock(nullptr, locked, dd::DDLOCK_WAIT), dd::DD_OK);
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) {
      const uint32_t v = value(x, y);
      std::memcpy(locked.bits + static_cast<size_t>(y) * locked.pitch + x * bytes, &v, bytes);
    }
  surface.Unlock(nullptr);
}

void FillSurface(dd::Surface& surface, uint32_t value, const dd::RECT* rect) {
  dd::DDBLTFX fx;
  fx.dwFillColor = value;
  ASSERT_EQ(surface.Blt(rect, nullptr, nullptr, dd::DDBLT_COLORFILL | dd::DDBLT_WAIT, &fx),
            dd::DD_OK);
}

void RenderPicture(const pic::Picture& p, dd::Surface& s, int x, int y, int w, int h) {
  pic::OLE_XSIZE_HIMETRIC pw = 0;
  pic::OLE_YSIZE_HIMETRIC ph = 0;
  ASSERT_EQ(p.get_Width(&pw), pic::S_OK);
  ASSERT_EQ(p.get_Height(&ph), pic::S_OK);
  dd::HDC* dc = nullptr;
  ASSERT_EQ(s.GetDC(dc), dd::DD_OK);
  EXPECT_EQ(p.Render(dc, x, y + h, w, -h, 0, 0, pw, ph, nullptr), pic::S_OK);
  ASSERT_EQ(s.ReleaseDC(dc), dd::DD_OK);
}

Display::Display(int depth) {
  EXPECT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
  EXPECT_EQ(device->SetDisplayMode(800, 600, depth, 0, 0), dd::DD_OK);
}
