#pragma once
// Works a dialog the way a player would, and reads its lists back.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/dialog/dialog.h"
#include "video/mode_dialog.h"

// The next dialog to open is handed to `script` once; the script's last action should end
// it. Until then a dialog has no driver and ends as cancelled.
inline void DriveOnce(std::function<void(dlg::HDLG)> script) {
  dlg::testing::SetDriver([script, done = false](dlg::HDLG d) mutable {
    if (done) return false;
    done = true;
    script(d);
    return true;
  });
}

// The keys pressed one after the other.
inline void Keys(dlg::HDLG d, std::initializer_list<int> keys) {
  for (int key : keys) dlg::testing::KeyDown(d, key);
}

// The texts of the device combo box or of the mode list, in their order.
inline std::vector<std::string> Items(dlg::HDLG d, int id) {
  const bool combo = id == IDC_DEVICES;
  std::vector<std::string> out(static_cast<size_t>(
      dlg::SendDlgItemMessage(d, id, combo ? dlg::CB_GETCOUNT : dlg::LB_GETCOUNT, 0, 0)));
  for (size_t i = 0; i < out.size(); ++i)
    dlg::SendDlgItemMessage(d, id, combo ? dlg::CB_GETLBTEXT : dlg::LB_GETTEXT,
                            static_cast<dlg::WPARAM>(i), reinterpret_cast<dlg::LPARAM>(&out[i]));
  return out;
}

inline int Selection(dlg::HDLG d, int id) {
  return static_cast<int>(dlg::SendDlgItemMessage(
      d, id, id == IDC_DEVICES ? dlg::CB_GETCURSEL : dlg::LB_GETCURSEL, 0, 0));
}
