// The New Project and editor options dialogs, answered by the test.
#include "app/command_ids.h"
#include "app/new_project_dialog.h"
#include "app/options_dialog.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "shell_fixture.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace shell_test {
namespace {

std::string Item(HWND dialog, int id) { return ui_test::ItemText(dialog, id); }

void SetItem(HWND dialog, int id, const char* text) { SetDlgItemText(dialog, id, text); }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }

void SaveDialogPicture(HWND dialog, const char* name) {
  ui_test::Picture(dialog).save(
      QString::fromStdString(mirt_test::ProgramDir() + "/app_shell_" + name + ".png"));
}

TEST_F(ShellTest, TheProjectFolderFollowsTheNameAsItIsTyped) {
  CEnvironmentList none;
  CNewProjectDialog dialog(nullptr, &none);
  dialog.m_baseDir = "c:\\work";
  std::vector<std::string> seen;
  bool createEnabledWhileEmpty = true;
  plat::PushDialogAction([&](HWND h) {
    seen.push_back(Item(h, IDC_NEWPROJ_LOCATION));
    SetItem(h, IDC_NEWPROJ_NAME, "d");
    SetItem(h, IDC_NEWPROJ_NAME, "demo");
    seen.push_back(Item(h, IDC_NEWPROJ_LOCATION));
    SetItem(h, IDC_NEWPROJ_NAME, "");
    createEnabledWhileEmpty = Enabled(h, IDC_NEWPROJ_CREATE);
    SetItem(h, IDC_NEWPROJ_NAME, "demo");
    SaveDialogPicture(h, "new_project");
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_NEWPROJ_CREATE, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_NEWPROJ_CREATE)));
  });
  EXPECT_EQ(dialog.DoModal(), IDC_NEWPROJ_CREATE) << "Create ends the dialog even without a type";
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "c:\\work");
  EXPECT_EQ(seen[1], "c:\\work\\demo");
  EXPECT_FALSE(createEnabledWhileEmpty);
  EXPECT_EQ(std::string(dialog.m_location), "c:\\work\\demo");
  EXPECT_EQ(dialog.m_nTaskType, 0);
  EXPECT_EQ(std::string(dialog.m_programNumber), "0x7e57");
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "project type not specified");
}

TEST_F(ShellTest, AFolderChosenAndThenANameGiveFolderBackslashName) {
  CEnvironmentList none;
  CNewProjectDialog dialog(nullptr, &none);
  plat::PushCommonDialogAnswer({true, {"/home/dev/projects"}});
  std::string location;
  plat::PushDialogAction([&](HWND h) {
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_NEWPROJ_BROWSE, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_NEWPROJ_BROWSE)));
    SetItem(h, IDC_NEWPROJ_NAME, "demo");
    location = Item(h, IDC_NEWPROJ_LOCATION);
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(location, "/home/dev/projects\\demo");
}

TEST_F(ShellTest, TheTypeBoxListsTheEnvironmentsAndPrefersZor6pci) {
  Start();
  std::string type;
  CNewProjectDialog dialog(frame);
  plat::PushDialogAction([&](HWND h) {
    type = Item(h, IDC_NEWPROJ_TYPE);
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  dialog.DoModal();
  EXPECT_EQ(dialog.m_typeBox.m_hWnd, nullptr);
  CEnviron zor;
  if (app().FindEnvironment("ZOR6PCI", zor))
    EXPECT_EQ(type, "ZOR6PCI");
  else
    EXPECT_EQ(type, "");
}

struct OptionsCase {
  const char* tabWidth;
  const char* fontSize;
  bool accepted;
};

constexpr OptionsCase kOptionsCases[] = {
    {"4", "10", true},   {"1", "6", true},  {"80", "36", true}, {"0", "10", false},
    {"81", "10", false}, {"4", "5", false}, {"4", "37", false},
};

TEST_F(ShellTest, TheOptionsDialogRefusesValuesOutOfRange) {
  for (const OptionsCase& c : kOptionsCases) {
    plat::ClearMessageBoxRecords();
    COptionsDialog dialog;
    bool stayedOpen = false;
    plat::PushDialogAction([&](HWND h) {
      SetItem(h, 1017, c.tabWidth);
      SetItem(h, 1001, c.fontSize);
      ::SendMessage(h, WM_COMMAND, IDOK, 0);
      stayedOpen = ::IsWindow(h) && ::IsWindowVisible(h);
      if (stayedOpen) ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
    });
    INT_PTR result = dialog.DoModal();
    EXPECT_EQ(result == IDOK, c.accepted) << c.tabWidth << " " << c.fontSize;
    EXPECT_EQ(plat::MessageBoxRecords().empty(), c.accepted) << c.tabWidth << " " << c.fontSize;
  }
}

TEST_F(ShellTest, OptionsShowsTheStoredValuesAndWritesTheConfirmedOnes) {
  Start();
  std::string shownTab, shownFont;
  plat::PushDialogAction([&](HWND h) {
    shownTab = Item(h, 1017);
    shownFont = Item(h, 1001);
    SaveDialogPicture(h, "options");
    SetItem(h, 1017, "8");
    SetItem(h, 1001, "12");
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  });
  frame->SendMessage(WM_COMMAND, ID_OPTIONS);
  EXPECT_EQ(shownTab, "3");
  EXPECT_EQ(shownFont, "9");
  EXPECT_EQ(app().GetProfileInt("", "Tab size", 0), 8u);
  EXPECT_EQ(app().GetProfileInt("", "Font size", 0), 12u);
}

}  // namespace
}  // namespace shell_test
