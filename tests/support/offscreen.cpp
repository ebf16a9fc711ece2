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

std::unique_ptr<dd::Surface> MakeFlipChain(dd::DirectDraw& device, dd::Surface*& back) {
  dd::DDSURFACEDESC2 desc;
  desc.dwFlags = dd::DDSD_CAPS | dd::DDSD_BACKBUFFERCOUNT;
  desc.dwCaps = dd::DDSCAPS_PRIMARYSURFACE | dd::DDSCAPS_FLIP | dd::DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 1;
  std::unique_ptr<dd::Surface> primary;
  back = nullptr;
  EXPECT_EQ(device.CreateSurface(desc, primary), dd::DD_OK);
  if (primary) {
    EXPECT_EQ(primary->GetAttachedSurface(dd::DDSCAPS_BACKBUFFER, &back), dd::DD_OK);
  }
  return primary;
}
