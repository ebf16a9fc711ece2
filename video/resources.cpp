// The program's dialog resources.
#include "platform/dialog/dialog.h"
#include "video/mode_dialog.h"

namespace dlg {

const DialogTemplate* FindDialogTemplate(int resourceId) {
  static const DialogTemplate ModeDialogTemplate{
      IDD_MODE,
      "Dialog",
      210,
      167,
      {
          {IDOK, ControlKind::DefPushButton, "OK", 153, 7, 50, 14, false},
          {IDCANCEL, ControlKind::PushButton, "Cancel", 153, 24, 50, 14, false},
          {IDC_DEVICES, ControlKind::ComboBox, nullptr, 7, 7, 141, 30, true},
          {IDC_MODES, ControlKind::ListBox, nullptr, 7, 23, 141, 137, true},
      }};
  return resourceId == IDD_MODE ? &ModeDialogTemplate : nullptr;
}

}  // namespace dlg
