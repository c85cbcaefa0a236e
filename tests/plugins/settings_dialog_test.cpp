// The settings dialog of both plug-ins run through ProjectSettings, with
// OK, Cancel and "Set As Default" pressed by the test, and pictures of a
// few pages written next to the test program.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "drivers/sim/simulator.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/dialog.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/plugins/settings_pages.h"
#include "tests/plugins/settings_record.h"
#include "tests/support/test_support.h"

namespace {

using plugins_test::SelectPage;
using plugins_test::SettingsRecord;
using plugins_test::ShownPage;

constexpr int kTree = plugins_test::kSettingsPageTree;
constexpr int kSetAsDefault = 3;

ProjectSettingsProc LoadPlugin(const char* name) {
  HMODULE lib = LoadLibrary(name);
  if (!lib) return nullptr;
  return reinterpret_cast<ProjectSettingsProc>(
      reinterpret_cast<void*>(GetProcAddress(lib, "ProjectSettings")));
}

void SavePicture(HWND dialog, const std::string& name) {
  PumpWaitingMessages();
  QImage picture = ui_test::Picture(dialog);
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save(QString::fromStdString(mirt_test::ProgramDir() + "/" + name + ".png")));
}

void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    plat::ClearMessageBoxRecords();
    sim::Simulator::Instance().Configure(kRack);
  }
  void TearDown() override { sim::Simulator::Instance().Configure(); }

  static constexpr auto kRack =
      "board 3 type=8 interface=0\n"
      "board 12 type=16 interface=0\n";
};

TEST_F(SettingsDialogTest, GnuOkWritesTheChangedOptimisation) {
  ProjectSettingsProc settings = LoadPlugin("gnuopt.dll");
  ASSERT_NE(settings, nullptr);
  SettingsRecord current, defaults;
  SettingsRecord::Set(current.data.cFlags, "-g -O1");
  plat::PushDialogAction([](HWND h) {
    EXPECT_EQ(plugins_test::PageTreeItems(h).size(), 22u);
    SavePicture(h, "plugins_gnuopt_general");
    SelectPage(h, "", "C/C++ optimizations");
    HWND page = ShownPage(h);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, 1101), 1u);  // Level 1 from -O1
    Click(page, 1102);
    SavePicture(h, "plugins_gnuopt_optimizations");
    SelectPage(h, "Linker", "Map file");
    Click(ShownPage(h), 1170);
    SavePicture(h, "plugins_gnuopt_linker_map");
    Click(h, IDOK);
  });
  int defaultsSet = -1;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr), 1);
  EXPECT_EQ(defaultsSet, 0);
  EXPECT_STREQ(current.data.cFlags, "-std=gnu89 -g -Wall -O2 ");
  EXPECT_STREQ(current.data.linkFlags, "-static -Map Mapfile ");
}

TEST_F(SettingsDialogTest, CancelStillRewritesTheRecord) {
  ProjectSettingsProc settings = LoadPlugin("gnuopt.dll");
  ASSERT_NE(settings, nullptr);
  SettingsRecord current, defaults;
  SettingsRecord::Set(current.data.cFlags, "-O3 -fPIC");
  plat::PushDialogAction([](HWND h) { Click(h, IDCANCEL); });
  int defaultsSet = -1;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr), 0);
  EXPECT_EQ(defaultsSet, 0);
  EXPECT_STREQ(current.data.cFlags, "-std=gnu89 -Wall -O3 -fPIC ");
}

// Runs after a test that loaded gnuopt.
TEST_F(SettingsDialogTest, SetAsDefaultKeepsTheLastState) {
  ProjectSettingsProc settings = LoadPlugin("tbcopt.dll");
  ASSERT_NE(settings, nullptr);
  SettingsRecord current, defaults;
  plat::PushDialogAction([](HWND h) {
    // With both plug-ins loaded each shows its own pages.
    EXPECT_EQ(plugins_test::PageTreeItems(h).size(), 39u);
    SelectPage(h, "", "Tools");
    EXPECT_NE(GetDlgItem(ShownPage(h), 1132), nullptr);  // Pascal compiler
    SelectPage(h, "C-Compiler", "Precompiled headers");
    EXPECT_NE(GetDlgItem(ShownPage(h), 1039), nullptr);
    SelectPage(h, "", "C/C++ optimizations");
    Click(ShownPage(h), 1102);  // size
    Click(h, kSetAsDefault);
    Click(ShownPage(h), 1050);  // speed
    Click(h, kSetAsDefault);
    SavePicture(h, "plugins_tbcopt_optimizations");
    Click(ShownPage(h), 1100);
    Click(h, IDCANCEL);
  });
  int defaultsSet = -1;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr), 0);
  EXPECT_EQ(defaultsSet, 1);
  EXPECT_STREQ(defaults.data.cFlags, "-c -r- -f -vi- -2 -ml -O -Ob -Og -Oi -Ol -Om -Op -Ov -Z ");
  EXPECT_STREQ(current.data.cFlags, "-c -r- -f -vi- -2 -ml -Od ");
}

TEST_F(SettingsDialogTest, BoardListIsSortedAndTheChoiceWrittenBack) {
  ProjectSettingsProc settings = LoadPlugin("tbcopt.dll");
  ASSERT_NE(settings, nullptr);
  SettingsRecord current, defaults;
  current.data.cardNumber = 3;
  plat::PushDialogAction([](HWND h) {
    HWND page = ShownPage(h);  // General
    ASSERT_NE(page, nullptr);
    HWND combo = GetDlgItem(page, 1141);
    ASSERT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 2);
    char text[64];
    SendMessage(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Board 12: ZOR-PC [local]");  // text order puts 12 before 3
    GetWindowText(combo, text, sizeof text);
    EXPECT_STREQ(text, "Board 3: TESSERA-4/486 [local]");
    SavePicture(h, "plugins_tbcopt_general");
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    Click(h, IDOK);
  });
  int defaultsSet = 0;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr), 1);
  EXPECT_EQ(current.data.cardNumber, 12);
  EXPECT_EQ(current.data.cardClass, 2);
  EXPECT_EQ(current.data.cardType, 0);  // only QJ boards carry their type
}

TEST_F(SettingsDialogTest, InvalidTaskNumberKeepsTheDialogOpen) {
  ProjectSettingsProc settings = LoadPlugin("tbcopt.dll");
  ASSERT_NE(settings, nullptr);
  constexpr uint16_t kOldTask = 5;
  SettingsRecord current, defaults;
  current.data.kernelNum = kOldTask;
  plat::PushDialogAction([](HWND h) {
    SelectPage(h, "", "Connection");
    HWND page = ShownPage(h);
    ASSERT_NE(page, nullptr);
    SavePicture(h, "plugins_tbcopt_connection");
    SetDlgItemText(page, 1152, "2000");
    SelectPage(h, "Linker", "Warnings");
    plat::PushMessageBoxAnswer(IDOK);
    Click(h, IDOK);
    EXPECT_TRUE(IsWindow(h));  // still open, on the Connection page
    EXPECT_EQ(ShownPage(h), page);
    EXPECT_EQ(plat::MessageBoxRecords().size(), 1u);
    SetDlgItemText(page, 1152, "1023");
    Click(h, IDOK);
  });
  int defaultsSet = 0;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr), 1);
  EXPECT_EQ(current.data.kernelNum, 1023);
}

TEST_F(SettingsDialogTest, SerialConnectionChoices) {
  ProjectSettingsProc settings = LoadPlugin("tbcopt.dll");
  ASSERT_NE(settings, nullptr);
  constexpr uint16_t kPort = 3;
  constexpr uint32_t kOldBaud = 38400, kNewBaud = 115200;
  SettingsRecord current, defaults;
  current.data.pcPort = kPort;
  current.data.baudRate = kOldBaud;
  plat::PushDialogAction([](HWND h) {
    SelectPage(h, "", "Connection");
    HWND page = ShownPage(h);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, 1146), 1u);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 1142)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1152)));
    char text[32];
    GetDlgItemText(page, 1142, text, sizeof text);
    EXPECT_STREQ(text, "38400");
    SendDlgItemMessage(page, 1142, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>("115200"));
    GetDlgItemText(page, 1142, text, sizeof text);
    EXPECT_STREQ(text, "115200");
    // Only digits reach the task numbers.
    HWND task = GetDlgItem(page, 1126);
    SetWindowText(task, "");
    for (char c : std::string("4a2")) SendMessage(task, WM_CHAR, static_cast<WPARAM>(c), 0);
    GetWindowText(task, text, sizeof text);
    EXPECT_STREQ(text, "42");
    Click(page, 1144);  // host interface: the serial controls go grey
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1142)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 1152)));
    Click(h, IDOK);
  });
  int defaultsSet = 0;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr), 1);
  EXPECT_EQ(current.data.baudRate, kNewBaud);
  EXPECT_EQ(current.data.pcPort, 0);
  EXPECT_EQ(current.data.debuggeeNum, 42);
}

TEST_F(SettingsDialogTest, WithoutBoardPagesTheTreeStartsWithTools) {
  ProjectSettingsProc settings = LoadPlugin("tbcopt.dll");
  ASSERT_NE(settings, nullptr);
  constexpr uint16_t kCardNumber = 42;
  SettingsRecord current, defaults;
  current.data.cardNumber = kCardNumber;
  defaults.data.cardNumber = kCardNumber;
  plat::PushDialogAction([](HWND h) {
    auto items = plugins_test::PageTreeItems(h);
    ASSERT_EQ(items.size(), 37u);
    EXPECT_EQ(plugins_test::PageItemText(GetDlgItem(h, kTree), items[0].first), "Tools");
    Click(h, kSetAsDefault);
    Click(h, IDOK);
  });
  int defaultsSet = 0;
  EXPECT_EQ(settings(&current.data, &defaultsSet, &defaults.data, 1, nullptr), 1);
  EXPECT_EQ(defaultsSet, 1);
  EXPECT_EQ(current.data.cardNumber, kCardNumber);
  EXPECT_EQ(defaults.data.cardNumber, kCardNumber);
}

TEST_F(SettingsDialogTest, BranchImagesFollowExpandAndCollapse) {
  ProjectSettingsProc settings = LoadPlugin("gnuopt.dll");
  ASSERT_NE(settings, nullptr);
  SettingsRecord current, defaults;
  plat::PushDialogAction([](HWND h) {
    HWND tree = GetDlgItem(h, kTree);
    HTREEITEM linker = nullptr;
    for (auto [item, level] : plugins_test::PageTreeItems(h))
      if (level == 0 && plugins_test::PageItemText(tree, item) == "Linker") linker = item;
    ASSERT_NE(linker, nullptr);
    auto image = [&] {
      TVITEM tv = {};
      tv.mask = TVIF_IMAGE;
      tv.hItem = linker;
      SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
      return tv.iImage;
    };
    EXPECT_EQ(image(), 1);
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(linker));
    EXPECT_EQ(image(), 0);
    SendMessage(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(linker));
    EXPECT_EQ(image(), 1);
    Click(h, IDCANCEL);
  });
  int defaultsSet = 0;
  settings(&current.data, &defaultsSet, &defaults.data, 0, nullptr);
}

}  // namespace
