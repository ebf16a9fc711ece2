// The dialog engine, driven the way a player works a dialog: keys, clicks, the close box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_driver.h"

namespace {

struct Recorder {
  std::vector<std::pair<int, int>> commands;  // id, notification
  bool destroyed = false;
};
Recorder Seen;

// Fills both lists and ends on OK/Cancel like a plain dialog procedure.
dlg::INT_PTR TestProc(dlg::HDLG dialog, uint32_t message, dlg::WPARAM wParam, dlg::LPARAM) {
  switch (message) {
    case dlg::WM_INITDIALOG:
      for (const char* name : {"gamma", "Alpha", "beta"})
        dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_ADDSTRING, 0,
                                reinterpret_cast<dlg::LPARAM>(name));
      dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_SETCURSEL, 0, 0);
      for (const char* mode : {"b", "a", "c", "d"})
        dlg::SendDlgItemMessage(dialog, IDC_MODES, dlg::LB_ADDSTRING, 0,
                                reinterpret_cast<dlg::LPARAM>(mode));
      return 1;
    case dlg::WM_COMMAND: {
      const int id = win::LOWORD(wParam);
      Seen.commands.emplace_back(id, win::HIWORD(wParam));
      if (id == dlg::IDOK || id == dlg::IDCANCEL) dlg::EndDialog(dialog, id);
      return 1;
    }
    case dlg::WM_CLOSE:
      dlg::EndDialog(dialog, 7);
      return 1;
    case dlg::WM_DESTROY:
      Seen.destroyed = true;
      return 1;
    default:
      return 0;
  }
}

// Runs the dialog with `script` acting on it once.
dlg::INT_PTR RunDialog(std::function<void(dlg::HDLG)> script) {
  Seen = {};
  DriveOnce(std::move(script));
  const dlg::INT_PTR result = dlg::DialogBoxParam(IDD_MODE, TestProc, 0);
  dlg::testing::SetDriver(nullptr);
  return result;
}

}  // namespace

TEST(DialogControls, SortedListsKeepTextOrderWithoutRegardToCase) {
  RunDialog([](dlg::HDLG d) {
    EXPECT_EQ(Items(d, IDC_DEVICES), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(Items(d, IDC_MODES), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(Selection(d, IDC_MODES), -1);
    // Item data follows its item when a later insertion moves it.
    dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_SETITEMDATA, 0, 42);
    dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_ADDSTRING, 0, reinterpret_cast<dlg::LPARAM>("0"));
    EXPECT_EQ(dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_GETITEMDATA, 1, 0), 42);
    EXPECT_EQ(dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_GETITEMDATA, 9, 0), dlg::LB_ERR);
    dlg::testing::KeyDown(d, win::VK_ESCAPE);
  });
}

TEST(DialogControls, ArrowsSelectInTheFocusedListAndNotify) {
  RunDialog([](dlg::HDLG d) {
    EXPECT_EQ(dlg::testing::FocusedControl(d), IDC_DEVICES);
    dlg::testing::KeyDown(d, win::VK_DOWN);
    EXPECT_EQ(Selection(d, IDC_DEVICES), 1);
    dlg::testing::KeyDown(d, win::VK_TAB);  // to the mode list
    EXPECT_EQ(dlg::testing::FocusedControl(d), IDC_MODES);
    dlg::testing::KeyDown(d, win::VK_DOWN);  // no selection yet: the first item
    dlg::testing::KeyDown(d, win::VK_DOWN);
    dlg::testing::KeyDown(d, win::VK_END);
    dlg::testing::KeyDown(d, win::VK_DOWN);  // already at the end: nothing
    EXPECT_EQ(Selection(d, IDC_MODES), 3);
    dlg::testing::KeyDown(d, win::VK_RETURN);
  });
  const std::vector<std::pair<int, int>> expected{{IDC_DEVICES, dlg::CBN_SELCHANGE},
                                                  {IDC_MODES, dlg::LBN_SELCHANGE},
                                                  {IDC_MODES, dlg::LBN_SELCHANGE},
                                                  {IDC_MODES, dlg::LBN_SELCHANGE},
                                                  {dlg::IDOK, dlg::BN_CLICKED}};
  EXPECT_EQ(Seen.commands, expected);
  EXPECT_TRUE(Seen.destroyed);
}

TEST(DialogControls, EnterIsOkEscapeAndTheCloseBoxCancel) {
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::KeyDown(d, win::VK_RETURN); }), dlg::IDOK);
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::KeyDown(d, win::VK_ESCAPE); }),
            dlg::IDCANCEL);
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::CloseBox(d); }), 7);
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::Click(d, dlg::IDCANCEL); }), dlg::IDCANCEL);
  // Enter on the focused Cancel button presses Cancel, not the default button.
  EXPECT_EQ(RunDialog([](dlg::HDLG d) {
              dlg::testing::KeyDown(d, win::VK_TAB);
              dlg::testing::KeyDown(d, win::VK_TAB);
              dlg::testing::KeyDown(d, win::VK_TAB);  // combo → list → OK → Cancel
              EXPECT_EQ(dlg::testing::FocusedControl(d), dlg::IDCANCEL);
              dlg::testing::KeyDown(d, win::VK_RETURN);
            }),
            dlg::IDCANCEL);
}

TEST(DialogControls, TheComboBoxOpensItsListAndAClickPicksAnItem) {
  RunDialog([](dlg::HDLG d) {
    dlg::testing::Click(d, IDC_DEVICES);
    EXPECT_TRUE(dlg::testing::ComboOpen(d));
    dlg::testing::KeyDown(d, win::VK_ESCAPE);  // closes the list, not the dialog
    EXPECT_FALSE(dlg::testing::ComboOpen(d));
    dlg::testing::Click(d, IDC_DEVICES);
    dlg::testing::ClickItem(d, IDC_DEVICES, 2);
    EXPECT_FALSE(dlg::testing::ComboOpen(d));
    EXPECT_EQ(Selection(d, IDC_DEVICES), 2);
    dlg::testing::ClickItem(d, IDC_MODES, 1);
    EXPECT_EQ(Selection(d, IDC_MODES), 1);
    dlg::testing::Click(d, dlg::IDOK);
  });
  EXPECT_EQ(Seen.commands.front(), std::make_pair(IDC_DEVICES, int{dlg::CBN_SELCHANGE}));
}

TEST(DialogControls, WithoutDisplayOrDriverItEndsAsCancelled) {
  Seen = {};
  EXPECT_EQ(dlg::DialogBoxParam(IDD_MODE, TestProc, 0), dlg::IDCANCEL);
  EXPECT_TRUE(Seen.destroyed);
  EXPECT_EQ(dlg::DialogBoxParam(999, TestProc, 0), -1);
}
