// Choosing the display and its mode before the game starts.
#include "video/mode_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/shell.h"
#include "platform/display/ddraw.h"
#include "support/dialog_driver.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"
#include "video/video.h"

namespace {

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
  // What sysSelectMode hands back; it should leave them alone unless OK is pressed.
  int depth = 7, rate = 9;
  const dd::GUID* device = reinterpret_cast<const dd::GUID*>(&depth);
  bool Select(std::function<void(dlg::HDLG)> script) {
    DriveOnce(std::move(script));
    return sysSelectMode(depth, rate, device);
  }
};

}  // namespace

// A display without rates lists 0 Hz, and OK then takes its first mode.
TEST_F(ModeDialogTest, ListsEveryDepthAtEveryRateInTextOrderWithItsData) {
  dd::testing::RefuseDepth(8);
  dd::testing::RefuseDepth(24);
  Select([](dlg::HDLG d) {
    EXPECT_EQ(Items(d, IDC_DEVICES), (std::vector<std::string>{"Panel", "Projector"}));
    EXPECT_EQ(
        Items(d, IDC_MODES),
        (std::vector<std::string>{"800x600x16 60 Hz", "800x600x16 75 Hz", "800x600x16 85 Hz",
                                  "800x600x32 60 Hz", "800x600x32 75 Hz", "800x600x32 85 Hz"}));
    EXPECT_EQ(Selection(d, IDC_MODES), 0);
    dlg::testing::KeyDown(d, win::VK_ESCAPE);
  });
  dd::testing::UseDisplays({{"Plain", {}}});
  ASSERT_TRUE(Select([](dlg::HDLG d) {
    EXPECT_EQ(Items(d, IDC_MODES).front(), "800x600x16 0 Hz");
    dlg::testing::KeyDown(d, win::VK_RETURN);
  }));
  EXPECT_EQ(std::tuple(depth, rate, device),
            std::tuple(16, 0, static_cast<const dd::GUID*>(nullptr)));
}

// The identifier OK takes makes that display's device, and one of no display makes none.
TEST_F(ModeDialogTest, AnotherDeviceReplacesTheListAndOkTakesItsIdentifier) {
  ASSERT_TRUE(Select([](dlg::HDLG d) {
    dlg::testing::KeyDown(d, win::VK_DOWN);  // the combo box has the focus
    EXPECT_EQ(Items(d, IDC_MODES),
              (std::vector<std::string>{"800x600x16 50 Hz", "800x600x24 50 Hz", "800x600x32 50 Hz",
                                        "800x600x8 50 Hz"}));
    dlg::testing::ClickItem(d, IDC_MODES, 2);
    dlg::testing::Click(d, dlg::IDOK);
  }));
  EXPECT_EQ(std::tuple(depth, rate), std::tuple(32, 50));
  ASSERT_NE(device, nullptr);
  std::unique_ptr<dd::DirectDraw> object;
  EXPECT_EQ(dd::DirectDrawCreateEx(device, object), dd::DD_OK);
  dd::GUID stranger;
  stranger.bytes.fill(0xAB);
  object.reset();
  EXPECT_TRUE(dd::Failed(dd::DirectDrawCreateEx(&stranger, object)));
  EXPECT_EQ(object, nullptr);
}

// Escape is the Cancel button's command.
TEST_F(ModeDialogTest, CancelAndCloseChangeNothing) {
  for (const bool close : {false, true}) {
    EXPECT_FALSE(Select([&](dlg::HDLG d) {
      dlg::testing::KeyDown(d, win::VK_DOWN);
      close ? dlg::testing::CloseBox(d) : dlg::testing::Click(d, dlg::IDCANCEL);
    }));
    EXPECT_EQ(std::tuple(depth, rate, device),
              std::tuple(7, 9, reinterpret_cast<const dd::GUID*>(&depth)));
    EXPECT_EQ(ModeDialog.DeviceCopies, 0);
  }
}

TEST_F(ModeDialogTest, TheGameStartsAtTheChosenDepth) {
  IsolatedUserData data;
  InTempDir here;
  WriteGameArchive(GamePictureFiles(16), "Nauvrel.spl");
  DriveOnce([](dlg::HDLG d) {
    Keys(d, {win::VK_TAB, win::VK_DOWN, win::VK_RETURN});  // 800x600x16 75 Hz
  });
  win::testing::ScheduleMessage(3, win::MSG{nullptr, win::WM_KEYDOWN, win::VK_F12, 1});
  EXPECT_EQ(WinMain("--select-mode --no-sound"), 0);
  EXPECT_EQ(Video.RequestedDepth, 16);
  EXPECT_EQ(ModeDialog.RefreshRate, 75);
}
