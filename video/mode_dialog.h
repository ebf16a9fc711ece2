#pragma once
// The display-mode dialog: a display device and an 800 × 600 mode, chosen before set-up.
#include <cstdint>

#include "platform/dialog/dialog.h"
#include "platform/display/ddraw.h"

constexpr int IDD_MODE = 101;
constexpr int IDC_DEVICES = 1001;
constexpr int IDC_MODES = 1002;

struct ModeDialogState {
  dd::GUID ChosenDevice{};
  bool DefaultDevice = true;
  int Depth = 0;
  int RefreshRate = 0;
  int DeviceCopies = 0;  // identifier copies held by combo items
};
inline ModeDialogState ModeDialog;

// Depth in the high 16 bits, refresh rate in the low 16 bits.
constexpr dlg::LPARAM ModeItemData(uint32_t bitsPerPixel, uint32_t refreshRate) {
  return static_cast<dlg::LPARAM>(bitsPerPixel * 65536u + (refreshRate % 65536u));
}

dlg::INT_PTR ModeDlgProc(dlg::HDLG dialog, uint32_t message, dlg::WPARAM wParam,
                         dlg::LPARAM lParam);
bool EnumDeviceCallback(const dd::GUID* device, const char* description, const char* driverName,
                        void* context);
dd::HRESULT EnumModeCallback(const dd::DDSURFACEDESC2& mode, void* context);
