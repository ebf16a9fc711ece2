#pragma once
// A display of the given depth, and a picture rendered as the render table does it.
#include <gtest/gtest.h>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"
#include "support/offscreen.h"

struct Display {
  explicit Display(int depth) {
    EXPECT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
    EXPECT_EQ(device->SetDisplayMode(800, 600, depth, 0, 0), dd::DD_OK);
  }
  std::unique_ptr<dd::Surface> Make(int w, int h) { return MakeOffscreen(*device, w, h); }
  std::unique_ptr<dd::DirectDraw> device;
};

// The whole picture over (x, y, w, h), drawn from the bottom edge up with a negative
// height as the screens draw: upright for h > 0, flipped for h < 0.
inline void Render(const pic::Picture& p, dd::Surface& s, int x, int y, int w, int h) {
  pic::OLE_XSIZE_HIMETRIC pw = 0;
  pic::OLE_YSIZE_HIMETRIC ph = 0;
  ASSERT_EQ(p.get_Width(&pw), pic::S_OK);
  ASSERT_EQ(p.get_Height(&ph), pic::S_OK);
  dd::HDC* dc = nullptr;
  ASSERT_EQ(s.GetDC(dc), dd::DD_OK);
  EXPECT_EQ(p.Render(dc, x, y + h, w, -h, 0, 0, pw, ph, nullptr), pic::S_OK);
  ASSERT_EQ(s.ReleaseDC(dc), dd::DD_OK);
}
