#pragma once
// Modal dialogs, in place of the dialog manager: a dialog built from a template with push
// buttons, a drop-down combo box and a list box, worked with the mouse and the keyboard;
// the dialog procedure gets the usual dialog messages. A run without a display can be
// driven by tests. Left out: modeless dialogs, other control kinds, dialog units beyond
// the template's own scaling.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/window/window.h"

namespace dlg {

using win::LPARAM;
using win::WPARAM;
using INT_PTR = intptr_t;
struct Dialog;
using HDLG = Dialog*;
using DLGPROC = INT_PTR (*)(HDLG, uint32_t message, WPARAM, LPARAM);

constexpr uint32_t WM_INITDIALOG = 0x0110;
constexpr uint32_t WM_COMMAND = win::WM_COMMAND;
constexpr uint32_t WM_CLOSE = win::WM_CLOSE;
constexpr uint32_t WM_DESTROY = win::WM_DESTROY;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr uint16_t BN_CLICKED = 0;
constexpr uint16_t CBN_SELCHANGE = 1;
constexpr uint16_t LBN_SELCHANGE = 1;
constexpr WPARAM MAKEWPARAM(uint16_t low, uint16_t high) {
  return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}

constexpr uint32_t CB_ADDSTRING = 0x0143;
constexpr uint32_t CB_GETCOUNT = 0x0146;
constexpr uint32_t CB_GETCURSEL = 0x0147;
constexpr uint32_t CB_GETLBTEXT = 0x0148;  // lParam: std::string* to fill
constexpr uint32_t CB_RESETCONTENT = 0x014B;
constexpr uint32_t CB_SETCURSEL = 0x014E;
constexpr uint32_t CB_GETITEMDATA = 0x0150;
constexpr uint32_t CB_SETITEMDATA = 0x0151;
constexpr INT_PTR CB_ERR = -1;
constexpr uint32_t LB_ADDSTRING = 0x0180;
constexpr uint32_t LB_RESETCONTENT = 0x0184;
constexpr uint32_t LB_SETCURSEL = 0x0186;
constexpr uint32_t LB_GETCURSEL = 0x0188;
constexpr uint32_t LB_GETTEXT = 0x0189;  // lParam: std::string* to fill
constexpr uint32_t LB_GETCOUNT = 0x018B;
constexpr uint32_t LB_GETITEMDATA = 0x0199;
constexpr uint32_t LB_SETITEMDATA = 0x019A;
constexpr INT_PTR LB_ERR = -1;

enum class ControlKind { PushButton, DefPushButton, ComboBox, ListBox };

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, cx, cy;  // dialog units
  bool sorted;       // CBS_SORT, LBS_SORT
};

struct DialogTemplate {
  int resourceId;
  const char* caption;
  int cx, cy;  // dialog units
  std::vector<ControlTemplate> controls;
};

// The program's dialog resources, linked in with the game (its resource script).
const DialogTemplate* FindDialogTemplate(int resourceId);

// Runs the dialog of that resource until EndDialog; -1 when there is no such resource.
// With no display and no test driver, it ends at once as if cancelled.
INT_PTR DialogBoxParam(int resourceId, DLGPROC proc, LPARAM param);
bool EndDialog(HDLG dialog, INT_PTR result);
INT_PTR SendDlgItemMessage(HDLG dialog, int id, uint32_t message, WPARAM wParam, LPARAM lParam);

namespace testing {
// Called once per turn of the modal loop, in place of a display; input is given with the
// functions below. Return false to stop driving (the dialog is then cancelled).
using Driver = std::function<bool(HDLG)>;
void SetDriver(Driver driver);
void KeyDown(HDLG dialog, uint16_t virtualKey);
void Click(HDLG dialog, int id);                 // a click on a control (buttons, combo box)
void ClickItem(HDLG dialog, int id, int index);  // a click on a list item (open combo too)
void ClickRow(HDLG dialog, int id, int row);     // a click on a list's row as shown (0: top)
void CloseBox(HDLG dialog);
}  // namespace testing

}  // namespace dlg
