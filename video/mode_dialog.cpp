#include "video/mode_dialog.h"

#include <cstdio>
#include <memory>
#include <new>

#include "video/video.h"

namespace {

// The modes of the device selected in the combo box; false when its device cannot be made.
bool FillModeList(dlg::HDLG dialog) {
  const dlg::INT_PTR selected =
      dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_GETCURSEL, 0, 0);
  const dlg::INT_PTR data =
      dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_GETITEMDATA, selected, 0);
  const auto* device = data == dlg::CB_ERR ? nullptr : reinterpret_cast<const dd::GUID*>(data);
  std::unique_ptr<dd::DirectDraw> object;
  if (dd::Failed(dd::DirectDrawCreateEx(device, object))) return false;
  dd::DDSURFACEDESC2 filter;
  filter.dwFlags = dd::DDSD_WIDTH | dd::DDSD_HEIGHT;
  filter.dwWidth = 800;
  filter.dwHeight = 600;
  object->EnumDisplayModes(dd::DDEDM_REFRESHRATES, &filter, dialog, EnumModeCallback);
  // The list is never left without a selection, so that OK always passes a listed mode.
  dlg::SendDlgItemMessage(dialog, IDC_MODES, dlg::LB_SETCURSEL, 0, 0);
  return true;
}

void FreeDeviceCopies(dlg::HDLG dialog) {
  const dlg::INT_PTR count = dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_GETCOUNT, 0, 0);
  for (dlg::INT_PTR i = 0; i < count; ++i) {
    const dlg::INT_PTR data =
        dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_GETITEMDATA, i, 0);
    if (data == 0 || data == dlg::CB_ERR) continue;
    delete reinterpret_cast<dd::GUID*>(data);
    --ModeDialog.DeviceCopies;
    dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_SETITEMDATA, i, 0);
  }
}

void TakeChoice(dlg::HDLG dialog) {
  const dlg::INT_PTR device = dlg::SendDlgItemMessage(
      dialog, IDC_DEVICES, dlg::CB_GETITEMDATA,
      dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_GETCURSEL, 0, 0), 0);
  if (device != 0 && device != dlg::CB_ERR) {
    ModeDialog.ChosenDevice = *reinterpret_cast<const dd::GUID*>(device);
    ModeDialog.DefaultDevice = false;
  } else {
    ModeDialog.DefaultDevice = true;
  }
  const dlg::INT_PTR mode = dlg::SendDlgItemMessage(
      dialog, IDC_MODES, dlg::LB_GETITEMDATA,
      dlg::SendDlgItemMessage(dialog, IDC_MODES, dlg::LB_GETCURSEL, 0, 0), 0);
  const auto bits = static_cast<uint32_t>(mode == dlg::LB_ERR ? 0 : mode);
  ModeDialog.Depth = static_cast<int>(bits >> 16);
  ModeDialog.RefreshRate = static_cast<int>(bits & 0xFFFF);
}

}  // namespace

bool EnumDeviceCallback(const dd::GUID* device, const char* description, const char*,
                        void* context) {
  auto* dialog = static_cast<dlg::HDLG>(context);
  const dlg::INT_PTR index = dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_ADDSTRING, 0,
                                                     reinterpret_cast<dlg::LPARAM>(description));
  if (index == dlg::CB_ERR) return false;
  dd::GUID* copy = nullptr;
  if (device) {
    copy = new (std::nothrow) dd::GUID(*device);
    if (!copy) return false;
    ++ModeDialog.DeviceCopies;
  }
  dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_SETITEMDATA, index,
                          reinterpret_cast<dlg::LPARAM>(copy));
  return true;
}

dd::HRESULT EnumModeCallback(const dd::DDSURFACEDESC2& mode, void* context) {
  auto* dialog = static_cast<dlg::HDLG>(context);
  char text[64];
  std::snprintf(text, sizeof text, "%ix%ix%i %i Hz", static_cast<int>(mode.dwWidth),
                static_cast<int>(mode.dwHeight), static_cast<int>(mode.dwRGBBitCount),
                static_cast<int>(mode.dwRefreshRate));
  const dlg::INT_PTR index = dlg::SendDlgItemMessage(dialog, IDC_MODES, dlg::LB_ADDSTRING, 0,
                                                     reinterpret_cast<dlg::LPARAM>(text));
  if (index != dlg::LB_ERR)
    dlg::SendDlgItemMessage(dialog, IDC_MODES, dlg::LB_SETITEMDATA, index,
                            ModeItemData(mode.dwRGBBitCount, mode.dwRefreshRate));
  return dd::DDENUMRET_OK;
}

dlg::INT_PTR ModeDlgProc(dlg::HDLG dialog, uint32_t message, dlg::WPARAM wParam, dlg::LPARAM) {
  switch (message) {
    case dlg::WM_INITDIALOG:
      dd::DirectDrawEnumerate(EnumDeviceCallback, dialog);
      dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_SETCURSEL, 0, 0);
      if (!FillModeList(dialog)) dlg::EndDialog(dialog, dlg::IDCANCEL);
      return 1;
    case dlg::WM_COMMAND: {
      const int id = win::LOWORD(wParam);
      const int code = win::HIWORD(wParam);
      if (id == IDC_DEVICES && code == dlg::CBN_SELCHANGE) {
        dlg::SendDlgItemMessage(dialog, IDC_MODES, dlg::LB_RESETCONTENT, 0, 0);
        if (!FillModeList(dialog)) dlg::EndDialog(dialog, dlg::IDCANCEL);
        return 1;
      }
      if (id == dlg::IDOK) {
        TakeChoice(dialog);
        dlg::EndDialog(dialog, dlg::IDOK);
        return 1;
      }
      if (id == dlg::IDCANCEL) {
        dlg::EndDialog(dialog, dlg::IDCANCEL);
        return 1;
      }
      return 0;
    }
    case dlg::WM_CLOSE:
      dlg::EndDialog(dialog, dlg::IDCANCEL);
      return 1;
    case dlg::WM_DESTROY:
      FreeDeviceCopies(dialog);
      return 1;
    default:
      return 0;
  }
}

bool sysSelectMode(int& depth, int& refreshRate, const dd::GUID*& device) {
  if (dlg::DialogBoxParam(IDD_MODE, ModeDlgProc, 0) != dlg::IDOK) return false;
  depth = ModeDialog.Depth;
  refreshRate = ModeDialog.RefreshRate;
  device = ModeDialog.DefaultDevice ? nullptr : &ModeDialog.ChosenDevice;
  return true;
}
