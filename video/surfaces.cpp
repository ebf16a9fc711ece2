// The off-screen surfaces, one per picture that is drawn from.
#include "app/shell.h"
#include "video/video.h"

namespace {

struct SurfaceRow {
  std::unique_ptr<dd::Surface> VideoState::*surface;
  uint32_t width, height;
  const char* message;
};

constexpr SurfaceRow CreationOrder[] = {
    {&VideoState::ddsBackground, 800, 600, "CreateSurface: ddsBackground"},
    {&VideoState::ddsGame, 640, 160, "CreateSurface: ddsGame"},
    {&VideoState::ddsBarel, 400, 40, "CreateSurface: ddsBarel"},
    {&VideoState::ddsBonus, 400, 40, "CreateSurface: ddsBonus"},
    {&VideoState::ddsDigits, 400, 40, "CreateSurface: ddsDigits"},
    {&VideoState::ddsNauvrelExpl, 800, 180, "CreateSurface: ddsNauvrelExpl"},
    {&VideoState::ddsMenuSel, 250, 280, "CreateSurface: ddsMenuSel"},
    {&VideoState::ddsMenuBckg, 800, 600, "CreateSurface: ddsMenuBckg"},
    {&VideoState::ddsControls, 259, 20, "CreateSurface: ddsControls"},
    {&VideoState::ddsFont, 320, 384, "CreateSurface: ddsFont"},
    {&VideoState::ddsNauvrelExplB, 700, 240, "CreateSurface: ddsNauvrelExplB"},
};

constexpr std::unique_ptr<dd::Surface> VideoState::*ReleaseOrder[] = {
    &VideoState::ddsBackground,  &VideoState::ddsGame,         &VideoState::ddsBarel,
    &VideoState::ddsDigits,      &VideoState::ddsMenuSel,      &VideoState::ddsMenuBckg,
    &VideoState::ddsBonus,       &VideoState::ddsControls,     &VideoState::ddsFont,
    &VideoState::ddsNauvrelExpl, &VideoState::ddsNauvrelExplB,
};

}  // namespace

bool sysCreateSurfaces() {
  if (!Video.ddObject) return sysShowError(CreationOrder[0].message);
  for (const SurfaceRow& row : CreationOrder) {
    if (row.surface == &VideoState::ddsBackground && !Switches.ShowBackground) continue;
    dd::DDSURFACEDESC2 desc;
    desc.dwFlags = dd::DDSD_CAPS | dd::DDSD_WIDTH | dd::DDSD_HEIGHT;
    desc.dwCaps = dd::DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = row.width;
    desc.dwHeight = row.height;
    if (dd::Failed(Video.ddObject->CreateSurface(desc, Video.*row.surface)))
      return sysShowError(row.message);
  }
  return true;
}

void sysReleaseSurfaces() {
  for (auto surface : ReleaseOrder) (Video.*surface).reset();
}
