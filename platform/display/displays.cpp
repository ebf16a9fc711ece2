// The display devices: SDL's displays, the first being the default device. A display other
// than the first is named by an identifier that carries its index.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"
#include "platform/window/sdl_window.h"

namespace dd {
namespace {

constexpr uint8_t Mark[4] = {'N', 'V', 'D', 'D'};

struct DisplayInfo {
  std::string name;
  std::vector<uint32_t> rates;  // sorted, at least one (0: the driver's default)
};

std::vector<DisplayInfo> Displays() {
  std::vector<DisplayInfo> out;
  for (const testing::FakeDisplay& d : Display.FakeDisplays) {
    DisplayInfo info{d.name, d.refreshRates};
    out.push_back(info);
  }
  if (out.empty() && SDL_WasInit(SDL_INIT_VIDEO)) {
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
      const char* name = SDL_GetDisplayName(i);
      DisplayInfo info{name ? name : "Display " + std::to_string(i + 1), {}};
      for (int m = 0; m < SDL_GetNumDisplayModes(i); ++m) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(i, m, &mode) == 0 && mode.refresh_rate > 0)
          info.rates.push_back(static_cast<uint32_t>(mode.refresh_rate));
      }
      out.push_back(info);
    }
  }
  if (out.empty()) out.push_back({"Primary Display Driver", {}});
  for (DisplayInfo& d : out) {
    std::sort(d.rates.begin(), d.rates.end());
    d.rates.erase(std::unique(d.rates.begin(), d.rates.end()), d.rates.end());
    if (d.rates.empty()) d.rates.push_back(0);
  }
  return out;
}

GUID IdentifierOf(int display) {
  GUID id;
  std::memcpy(id.bytes.data(), Mark, sizeof Mark);
  id.bytes[4] = static_cast<uint8_t>(display);
  return id;
}

// -1 for an identifier that names no display.
int DisplayOf(const GUID* device) {
  if (!device) return 0;
  if (std::memcmp(device->bytes.data(), Mark, sizeof Mark) != 0) return -1;
  const int display = device->bytes[4];
  return display > 0 && display < static_cast<int>(Displays().size()) ? display : -1;
}

}  // namespace

HRESULT DirectDrawCreateEx(const GUID* device, std::unique_ptr<DirectDraw>& out) {
  out.reset();
  const int display = DisplayOf(device);
  if (display < 0) return DDERR_INVALIDPARAMS;
  out.reset(new DirectDraw());
  out->Device = display;
  return DD_OK;
}

HRESULT DirectDrawEnumerate(EnumDevicesCallback callback, void* context) {
  if (!callback) return DDERR_INVALIDPARAMS;
  const std::vector<DisplayInfo> displays = Displays();
  for (size_t i = 0; i < displays.size(); ++i) {
    const GUID id = IdentifierOf(static_cast<int>(i));
    if (!callback(i == 0 ? nullptr : &id, displays[i].name.c_str(), "display", context)) break;
  }
  return DD_OK;
}

HRESULT DirectDraw::EnumDisplayModes(uint32_t flags, const DDSURFACEDESC2*, void* context,
                                     EnumModesCallback callback) {
  if (!callback) return DDERR_INVALIDPARAMS;
  const std::vector<DisplayInfo> displays = Displays();
  const std::vector<uint32_t> rates =
      (flags & DDEDM_REFRESHRATES) && Device < static_cast<int>(displays.size())
          ? displays[Device].rates
          : std::vector<uint32_t>{0};
  for (uint32_t bits : Depths) {
    if (!DepthOffered(bits)) continue;
    for (uint32_t rate : rates) {
      DDSURFACEDESC2 mode;
      mode.dwFlags = DDSD_WIDTH | DDSD_HEIGHT;
      mode.dwWidth = 800;
      mode.dwHeight = 600;
      mode.dwRGBBitCount = bits;
      mode.dwRefreshRate = rate;
      if (callback(mode, context) == DDENUMRET_CANCEL) return DD_OK;
    }
  }
  return DD_OK;
}

void ShowOnDisplay(win::HWND window, int display) {
  SDL_Window* sdl = win::SdlWindow(window);
  if (!sdl || display <= 0 || display >= SDL_GetNumVideoDisplays()) return;
  const bool fullScreen = win::IsFullScreen();
  if (fullScreen) win::ToggleFullScreen();
  SDL_SetWindowPosition(sdl, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                        SDL_WINDOWPOS_CENTERED_DISPLAY(display));
  if (fullScreen) win::ToggleFullScreen();
}

namespace testing {
void UseDisplays(std::vector<FakeDisplay> displays) { Display.FakeDisplays = std::move(displays); }
}  // namespace testing

}  // namespace dd
