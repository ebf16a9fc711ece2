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

void Add(dlg::HDLG dialog, int id, const char* text) {
  dlg::SendDlgItemMessage(dialog, id, id == IDC_DEVICES ? dlg::CB_ADDSTRING : dlg::LB_ADDSTRING, 0,
                          reinterpret_cast<dlg::LPARAM>(text));
}

// Fills both lists and ends on OK/Cancel like a plain dialog procedure.
dlg::INT_PTR TestProc(dlg::HDLG dialog, uint32_t message, dlg::WPARAM wParam, dlg::LPARAM) {
  switch (message) {
    case dlg::WM_INITDIALOG:
      for (const char* name : {"gamma", "Alpha", "beta"}) Add(dialog, IDC_DEVICES, name);
      dlg::SendDlgItemMessage(dialog, IDC_DEVICES, dlg::CB_SETCURSEL, 0, 0);
      for (const char* mode : {"b", "a", "c", "d"}) Add(dialog, IDC_MODES, mode);
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
    // Item data follows its item when a later insertion moves it.
    dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_SETITEMDATA, 0, 42);
    Add(d, IDC_MODES, "0");
    EXPECT_EQ(dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_GETITEMDATA, 1, 0), 42);
    EXPECT_EQ(dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_GETITEMDATA, 9, 0), dlg::LB_ERR);
    dlg::testing::KeyDown(d, win::VK_ESCAPE);
  });
}

TEST(DialogControls, ArrowsSelectInTheFocusedListAndNotify) {
  RunDialog([](dlg::HDLG d) {
    dlg::testing::KeyDown(d, win::VK_DOWN);  // the combo box has the focus first
    EXPECT_EQ(Selection(d, IDC_DEVICES), 1);
    dlg::testing::KeyDown(d, win::VK_TAB);  // to the mode list
    // Down with no selection yet selects the first item; down at the end does nothing.
    Keys(d, {win::VK_DOWN, win::VK_DOWN, win::VK_END, win::VK_DOWN});
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

// A click lands on the item shown under it, so the rows shown must follow the selection.
TEST(DialogControls, AListScrollsToKeepItsSelectionInView) {
  RunDialog([](dlg::HDLG d) {
    for (int i = 10; i < 50; ++i) Add(d, IDC_MODES, std::to_string(i).c_str());
    const int last = static_cast<int>(Items(d, IDC_MODES).size()) - 1;
    Keys(d, {win::VK_TAB, win::VK_END});  // the last item at the bottom row
    dlg::testing::ClickRow(d, IDC_MODES, 0);
    const int top = Selection(d, IDC_MODES);
    EXPECT_GT(top, 0);
    dlg::testing::ClickRow(d, IDC_MODES, last - top);
    EXPECT_EQ(Selection(d, IDC_MODES), last);
    dlg::testing::KeyDown(d, win::VK_HOME);  // back to the top row
    dlg::testing::ClickRow(d, IDC_MODES, 1);
    EXPECT_EQ(Selection(d, IDC_MODES), 1);
    dlg::testing::KeyDown(d, win::VK_ESCAPE);
  });
}

TEST(DialogControls, EnterIsOkEscapeAndTheCloseBoxCancel) {
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::KeyDown(d, win::VK_RETURN); }), dlg::IDOK);
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::KeyDown(d, win::VK_ESCAPE); }),
            dlg::IDCANCEL);
  EXPECT_EQ(RunDialog([](dlg::HDLG d) { dlg::testing::CloseBox(d); }), 7);
  // Enter on the focused Cancel button presses Cancel, not the default button.
  EXPECT_EQ(RunDialog([](dlg::HDLG d) {
              Keys(d, {win::VK_TAB, win::VK_TAB, win::VK_TAB});  // past list and OK
              dlg::testing::KeyDown(d, win::VK_RETURN);
            }),
            dlg::IDCANCEL);
}
