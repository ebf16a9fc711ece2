// The display device, its mode and the flipping chain.
#include "app/shell.h"
#include "video/video.h"

bool sysSetupDisplay(const dd::GUID* device, int depth, int refreshRate) {
  if (dd::Failed(dd::DirectDrawCreateEx(device, Video.ddObject)))
    return sysShowError("DirectDrawCreateEx failed");
  if (dd::Failed(Video.ddObject->SetCooperativeLevel(Shell.Window,
                                                     dd::DDSCL_EXCLUSIVE | dd::DDSCL_FULLSCREEN)))
    return sysShowError("SetCooperativeLevel failed");
  // The requested depth, else the two the hardware of the day was sure to offer.
  if (dd::Failed(Video.ddObject->SetDisplayMode(800, 600, depth, refreshRate, 0)) &&
      dd::Failed(Video.ddObject->SetDisplayMode(800, 600, 24, 0, 0)) &&
      dd::Failed(Video.ddObject->SetDisplayMode(800, 600, 16, 0, 0)))
    return sysShowError("SetDisplayMode failed");

  dd::DDSURFACEDESC2 desc;
  desc.dwFlags = dd::DDSD_CAPS | dd::DDSD_BACKBUFFERCOUNT;
  desc.dwCaps = dd::DDSCAPS_PRIMARYSURFACE | dd::DDSCAPS_FLIP | dd::DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = Switches.DoubleBuffer ? 2 : 1;
  if (dd::Failed(Video.ddObject->CreateSurface(desc, Video.PrimarySurface)))
    return sysShowError("CreateSurface for primary surface failed");
  if (dd::Failed(
          Video.PrimarySurface->GetAttachedSurface(dd::DDSCAPS_BACKBUFFER, &Video.BackBuffer)))
    return sysShowError("GetAttachedSurface failed");
  return true;
}

void sysReleaseDisplay() {
  Video.BackBuffer = nullptr;  // goes with the primary surface
  Video.PrimarySurface.reset();
  Video.ddObject.reset();
}
