// Choosing the display and its mode before the game starts.
#include "video/mode_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/shell.h"
#include "platform/ddraw.h"
#include "platform/dialog.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"
#include "video/video.h"

namespace {

std::vector<std::string> Items(dlg::HDLG d, int id) {
  std::vector<std::string> out;
  const bool combo = id == IDC_DEVICES;
  const auto n = dlg::SendDlgItemMessage(d, id, combo ? dlg::CB_GETCOUNT : dlg::LB_GETCOUNT, 0, 0);
  for (dlg::INT_PTR i = 0; i < n; ++i) {
    std::string text;
    dlg::SendDlgItemMessage(d, id, combo ? dlg::CB_GETLBTEXT : dlg::LB_GETTEXT, i,
                            reinterpret_cast<dlg::LPARAM>(&text));
    out.push_back(text);
  }
  return out;
}

class ModeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ModeDialog = {};
    dd::testing::AcceptAllDepths();
    dd::testing::UseDisplays({{"Panel", {60, 75, 85}}, {"Projector", {50}}});
  }
  void TearDown() override {
    dlg::testing::SetDriver(nullptr);
    dd::testing::UseDisplays({});
    dd::testing::AcceptAllDepths();
  }
  // Runs sysSelectMode with `script` acting on the open dialog once.
  bool Select(const std::function<void(dlg::HDLG)>& script, int& depth, int& rate,
              const dd::GUID*& device) {
    bool done = false;
    dlg::testing::SetDriver([&](dlg::HDLG d) {
      if (done) return false;
      done = true;
      script(d);
      return true;
    });
    return sysSelectMode(depth, rate, device);
  }
};

}  // namespace

TEST_F(ModeDialogTest, ListsEveryDepthAtEveryRateInTextOrderWithItsData) {
  dd::testing::RefuseDepth(8);
  dd::testing::RefuseDepth(24);
  int depth = 0, rate = 0;
  const dd::GUID* device = nullptr;
  Select(
      [](dlg::HDLG d) {
        EXPECT_EQ(Items(d, IDC_DEVICES), (std::vector<std::string>{"Panel", "Projector"}));
        EXPECT_EQ(
            Items(d, IDC_MODES),
            (std::vector<std::string>{"800x600x16 60 Hz", "800x600x16 75 Hz", "800x600x16 85 Hz",
                                      "800x600x32 60 Hz", "800x600x32 75 Hz", "800x600x32 85 Hz"}));
        EXPECT_EQ(dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_GETITEMDATA, 2, 0),
                  16 * 65536 + 85);
        EXPECT_EQ(dlg::SendDlgItemMessage(d, IDC_MODES, dlg::LB_GETCURSEL, 0, 0), 0);
        dlg::testing::KeyDown(d, win::VK_ESCAPE);
      },
      depth, rate, device);
}

TEST_F(ModeDialogTest, ADisplayWithoutRatesListsZeroHertz) {
  dd::testing::UseDisplays({{"Plain", {}}});
  int depth = 0, rate = -1;
  const dd::GUID* device = nullptr;
  ASSERT_TRUE(Select(
      [](dlg::HDLG d) {
        EXPECT_EQ(Items(d, IDC_MODES).front(), "800x600x16 0 Hz");
        dlg::testing::KeyDown(d, win::VK_RETURN);
      },
      depth, rate, device));
  EXPECT_EQ(depth, 16);  // the preselected first mode
  EXPECT_EQ(rate, 0);
  EXPECT_EQ(device, nullptr);
}

TEST_F(ModeDialogTest, AnotherDeviceReplacesTheListAndOkTakesItsIdentifier) {
  int depth = 0, rate = 0;
  const dd::GUID* device = nullptr;
  ASSERT_TRUE(Select(
      [](dlg::HDLG d) {
        dlg::testing::KeyDown(d, win::VK_DOWN);  // the combo box has the focus
        EXPECT_EQ(Items(d, IDC_MODES),
                  (std::vector<std::string>{"800x600x16 50 Hz", "800x600x24 50 Hz",
                                            "800x600x32 50 Hz", "800x600x8 50 Hz"}));
        dlg::testing::ClickItem(d, IDC_MODES, 2);
        dlg::testing::Click(d, dlg::IDOK);
      },
      depth, rate, device));
  EXPECT_EQ(depth, 32);
  EXPECT_EQ(rate, 50);
  ASSERT_NE(device, nullptr);
  std::unique_ptr<dd::DirectDraw> projector;
  EXPECT_EQ(dd::DirectDrawCreateEx(device, projector), dd::DD_OK);
  EXPECT_EQ(ModeDialog.DeviceCopies, 0);  // freed when the dialog closed
}

TEST_F(ModeDialogTest, CancelCloseAndEscapeChangeNothing) {
  const std::vector<std::function<void(dlg::HDLG)>> endings = {
      [](dlg::HDLG d) { dlg::testing::Click(d, dlg::IDCANCEL); },
      [](dlg::HDLG d) { dlg::testing::CloseBox(d); },
      [](dlg::HDLG d) { dlg::testing::KeyDown(d, win::VK_ESCAPE); },
  };
  for (const auto& ending : endings) {
    int depth = 7, rate = 9;
    const dd::GUID* device = reinterpret_cast<const dd::GUID*>(&depth);
    EXPECT_FALSE(Select(
        [&](dlg::HDLG d) {
          dlg::testing::KeyDown(d, win::VK_DOWN);
          ending(d);
        },
        depth, rate, device));
    EXPECT_EQ(depth, 7);
    EXPECT_EQ(rate, 9);
    EXPECT_EQ(device, reinterpret_cast<const dd::GUID*>(&depth));
    EXPECT_EQ(ModeDialog.DeviceCopies, 0);
  }
}

TEST_F(ModeDialogTest, AnIdentifierOfNoDisplayMakesNoDevice) {
  dd::GUID stranger;
  stranger.bytes.fill(0xAB);
  std::unique_ptr<dd::DirectDraw> object;
  EXPECT_TRUE(dd::Failed(dd::DirectDrawCreateEx(&stranger, object)));
  EXPECT_EQ(object, nullptr);
}

TEST_F(ModeDialogTest, TheGameStartsAtTheChosenDepth) {
  IsolatedUserData data;
  TempDir folder;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.path);
  WriteGameArchive(GamePictureFiles(16), "Nauvrel.spl");
  int turns = 0;
  dlg::testing::SetDriver([&](dlg::HDLG d) {
    if (turns++ > 0) return false;
    dlg::testing::KeyDown(d, win::VK_TAB);   // to the mode list
    dlg::testing::KeyDown(d, win::VK_DOWN);  // 800x600x16 75 Hz
    dlg::testing::KeyDown(d, win::VK_RETURN);
    return true;
  });
  win::testing::ScheduleMessage(3, win::MSG{nullptr, win::WM_KEYDOWN, win::VK_F12, 1});
  EXPECT_EQ(WinMain("--select-mode --no-sound"), 0);
  EXPECT_EQ(Video.RequestedDepth, 16);
  EXPECT_EQ(ModeDialog.RefreshRate, 75);
  std::filesystem::current_path(previous);
}
