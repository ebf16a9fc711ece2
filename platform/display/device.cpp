// The display device: creation, cooperative level, display modes, surfaces and palettes.
#include <algorithm>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"

namespace dd {

namespace {
constexpr uint32_t DisplayWidth = 800, DisplayHeight = 600;
constexpr uint32_t LargestSurface = 8192;
}  // namespace

DirectDraw::DirectDraw() = default;
DirectDraw::~DirectDraw() { ClosePresenter(); }

HRESULT DirectDraw::SetCooperativeLevel(win::HWND window, uint32_t flags) {
  if ((flags & (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)) == DDSCL_EXCLUSIVE)
    return DDERR_INVALIDPARAMS;  // exclusive goes only with full screen
  Window = window;
  return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel, uint32_t,
                                   uint32_t) {
  if (width != DisplayWidth || height != DisplayHeight || !DepthOffered(bitsPerPixel))
    return DDERR_UNSUPPORTEDMODE;
  Depth = static_cast<int>(bitsPerPixel);
  OpenPresenter(Window);
  ShowOnDisplay(Window, Device);
  return DD_OK;
}

HRESULT DirectDraw::CreateSurface(const DDSURFACEDESC2& desc, std::unique_ptr<Surface>& out) {
  out.reset();
  if (Depth == 0 || !(desc.dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
  if (desc.dwCaps & DDSCAPS_PRIMARYSURFACE) {
    const bool flipping = desc.dwCaps & DDSCAPS_FLIP;
    const uint32_t backs = (desc.dwFlags & DDSD_BACKBUFFERCOUNT) ? desc.dwBackBufferCount : 0;
    if (flipping != (backs > 0) || backs > 3 || (flipping && !(desc.dwCaps & DDSCAPS_COMPLEX)))
      return DDERR_INVALIDPARAMS;
    auto primary = std::make_unique<Surface>(DisplayWidth, DisplayHeight, Depth);
    primary->IsPrimary = true;
    for (uint32_t i = 0; i < backs; ++i) {
      auto back = std::make_unique<Surface>(DisplayWidth, DisplayHeight, Depth);
      back->Primary = primary.get();
      primary->Backs.push_back(std::move(back));
    }
    out = std::move(primary);
    return DD_OK;
  }
  if (!(desc.dwCaps & DDSCAPS_OFFSCREENPLAIN) || !(desc.dwFlags & DDSD_WIDTH) ||
      !(desc.dwFlags & DDSD_HEIGHT))
    return DDERR_INVALIDPARAMS;
  if (desc.dwWidth == 0 || desc.dwHeight == 0 || desc.dwWidth > LargestSurface ||
      desc.dwHeight > LargestSurface)
    return DDERR_INVALIDPARAMS;
  out = std::make_unique<Surface>(desc.dwWidth, desc.dwHeight, Depth);
  return DD_OK;
}

HRESULT DirectDraw::CreatePalette(uint32_t flags, const PALETTEENTRY* entries,
                                  std::unique_ptr<Palette>& out) {
  out.reset();
  if (!(flags & DDPCAPS_8BIT) || !entries) return DDERR_INVALIDPARAMS;
  out = std::make_unique<Palette>(entries);
  return DD_OK;
}

HRESULT DirectDraw::WaitForVerticalBlank(uint32_t, void*) { return DD_OK; }

HRESULT Surface::GetAttachedSurface(uint32_t caps, Surface** out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (caps != DDSCAPS_BACKBUFFER || Backs.empty()) return DDERR_NOTFOUND;
  *out = Backs.front().get();
  return DD_OK;
}

namespace testing {

void RefuseDepth(int bitsPerPixel, bool refuse) {
  if (bitsPerPixel >= 0 && bitsPerPixel < static_cast<int>(Display.Refused.size()))
    Display.Refused[bitsPerPixel] = refuse;
}

void AcceptAllDepths() { Display.Refused.fill(false); }

void LoseAllSurfaces() {
  SettlePending();
  for (Surface* s : Display.LiveSurfaces) {
    SurfaceAccess::Lost(*s) = true;
    auto& memory = SurfaceAccess::Memory(*s);
    std::fill(memory.begin(), memory.end(), uint8_t{0});
    SurfaceAccess::Written(*s);
  }
}

int FlipCount() { return Display.Flips; }

void KeepPresentedFrames(bool keep) {
  Display.KeepFrames = keep;
  if (!keep) Display.Frame.clear();
}

const std::vector<uint32_t>& PresentedFrame() { return Display.Frame; }

bool HasRenderer() { return Display.Renderer != nullptr || Display.OnWindowSurface; }

bool PresentsIntoWindowPixels() { return Display.OnWindowSurface; }

void UsePlainConversion(bool plain) { Display.PlainConversion = plain; }

}  // namespace testing

}  // namespace dd
