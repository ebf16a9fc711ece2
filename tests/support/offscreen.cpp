#include "offscreen.h"

#include <gtest/gtest.h>

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
