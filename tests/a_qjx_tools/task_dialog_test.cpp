#include <QString>
#include <string>
#include <vector>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/tool_windows.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/ytn1.h"

namespace {

constexpr uint16_t kTesseraBoard = 0;
constexpr WORD kTesseraType = 8;
constexpr int kCount = 1080, kTree = 1088, kLines = 1148, kUpdate = 1106, kValue = 1149;
constexpr uint16_t kTask = 10, kProgram = 0x1234;
constexpr uint32_t kTypeTi = 0x1183;
constexpr int kImageTi = 1, kImageData = 8;
constexpr DWORD_PTR kDataBase = 9000, kPdtBase = 3000;

class TaskDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    plat::ClearMessageBoxRecords();
    SetUserMode(0);
    Select(kTesseraType, kTesseraBoard);
  }
  void TearDown() override {
    HWND open = nullptr;
    if (IsToolWindowOpen(ToolWindow::Task, &open)) DestroyWindow(open);
    SetUserMode(0);
  }
  // An item of the tree: its text, image, data and children.
  struct Item {
    std::string text;
    int image;
    DWORD_PTR data;
    HTREEITEM handle;
  };
  static Item Describe(HWND tree, HTREEITEM handle) {
    char text[64] = {};
    TVITEM item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, LPARAM(&item));
    return {text, item.iImage, DWORD_PTR(item.lParam), handle};
  }
  static std::vector<Item> Children(HWND tree, HTREEITEM parent) {
    std::vector<Item> items;
    auto next = [&](HTREEITEM from, UINT code) {
      return HTREEITEM(SendMessage(tree, TVM_GETNEXTITEM, code, LPARAM(from)));
    };
    for (HTREEITEM h = parent ? next(parent, TVGN_CHILD) : next(nullptr, TVGN_ROOT); h;
         h = next(h, TVGN_NEXT))
      items.push_back(Describe(tree, h));
    return items;
  }
  static HTREEITEM Find(HWND tree, DWORD_PTR data) {
    for (const Item& task : Children(tree, Children(tree, nullptr).at(0).handle)) {
      if (task.data == data) return task.handle;
      for (const Item& child : Children(tree, task.handle))
        if (child.data == data) return child.handle;
    }
    return nullptr;
  }
  static void Choose(HWND dialog, DWORD_PTR data) {
    HWND tree = GetDlgItem(dialog, kTree);
    HTREEITEM item = Find(tree, data);
    ASSERT_TRUE(item);
    SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(item));
  }
  static void DoubleClickLine(HWND dialog, int line) {
    SendDlgItemMessage(dialog, kLines, LB_SETCURSEL, WPARAM(line), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kLines, LBN_DBLCLK), LPARAM(GetDlgItem(dialog, kLines)));
  }
  static int LineOf(HWND dialog, const std::string& text) {
    return int(SendDlgItemMessage(dialog, kLines, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str())));
  }
  static void Picture(HWND window, const std::string& name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(window);
    ui_test::Picture(window).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_" + name + ".png"));
  }
};

TEST_F(TaskDialogTest, TreeListsInstalledTasksWithTheirChildrenAndImages) {
  Install(kTask, kProgram, "", 4, kTypeTi);
  HWND dialog = a_qjx_task(kTesseraType);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(a_qjx_task(kTesseraType), dialog);
  HWND tree = GetDlgItem(dialog, kTree);
  const std::vector<Item> top = Children(tree, nullptr);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].text, "Tasks");
  const std::vector<Item> tasks = Children(tree, top[0].handle);
  ASSERT_EQ(tasks.size(), 1u);  // no task 0 without user mode
  EXPECT_EQ(tasks[0].text, "Task 10 (A hex)");
  EXPECT_EQ(tasks[0].image, kImageTi);
  EXPECT_EQ(tasks[0].data, 1000u + kTask);
  std::vector<std::string> children;
  for (const Item& child : Children(tree, tasks[0].handle)) children.push_back(child.text);
  EXPECT_EQ(children, (std::vector<std::string>{"PDT", "TDT", "Parameter", "Data"}));
  EXPECT_EQ(Children(tree, tasks[0].handle).back().image, kImageData);
  EXPECT_EQ(ui_test::ItemText(dialog, kCount), "1");
  Choose(dialog, kPdtBase + kTask);
  Picture(dialog, "task");

  SetUserMode(1);
  SendMessage(GetDlgItem(dialog, kUpdate), BM_CLICK, 0, 0);
  const std::vector<Item> withTaskZero = Children(tree, Children(tree, nullptr).at(0).handle);
  ASSERT_EQ(withTaskZero.size(), 2u);
  EXPECT_EQ(withTaskZero[0].text, "Task 0 (0 hex)");
}

TEST_F(TaskDialogTest, DataByteChangedByDoubleClickOnItsLine) {
  constexpr BYTE kNew = 0x77;
  constexpr uint16_t kIndex = 2;
  Install(kTask, kProgram, "", 4, kTypeTi);
  qj8_write_data(kTask, kIndex, 1, "\x5A");
  HWND dialog = a_qjx_task(kTesseraType);
  ASSERT_TRUE(dialog);
  Choose(dialog, kDataBase + kTask);
  const int line = LineOf(dialog, "2\t5a");
  ASSERT_GE(line, 0);
  std::string shown;
  plat::PushDialogAction([&](HWND change) {
    shown = ui_test::ItemText(change, kValue);
    SetDlgItemText(change, kValue, "77");
    Picture(change, "change_task_parameter");
    SendMessage(change, WM_COMMAND, IDOK, 0);
  });
  DoubleClickLine(dialog, line);
  EXPECT_EQ(shown, "5a");
  EXPECT_EQ(board(kTesseraBoard).tasks[kTask].data.Get8(kIndex), kNew);
  EXPECT_GE(LineOf(dialog, "2\t77"), 0);  // the area is shown again
}

TEST_F(TaskDialogTest, DescriptionLinesOfThePdtCannotBeChanged) {
  Install(kTask, kProgram, "", 4, kTypeTi);
  HWND dialog = a_qjx_task(kTesseraType);
  ASSERT_TRUE(dialog);
  Choose(dialog, kPdtBase + kTask);
  ASSERT_GT(SendDlgItemMessage(dialog, kLines, LB_GETCOUNT, 0, 0), 0);
  DoubleClickLine(dialog, 0);
  EXPECT_TRUE(plat::ModalRecords().empty());
}

TEST_F(TaskDialogTest, ChangeDialogRefusesAThirdDigitAndWrongInput) {
  Install(kTask, kProgram, "", 4, kTypeTi);
  qj8_write_data(kTask, 1, 1, "\x11");
  HWND dialog = a_qjx_task(kTesseraType);
  ASSERT_TRUE(dialog);
  Choose(dialog, kDataBase + kTask);
  const int line = LineOf(dialog, "1\t11");
  ASSERT_GE(line, 0);
  std::string typed;
  plat::PushDialogAction([&](HWND change) {
    HWND field = GetDlgItem(change, kValue);
    SetWindowText(field, "");
    for (char c : std::string("1FF")) SendMessage(field, WM_CHAR, WPARAM(c), 0);
    typed = ui_test::ItemText(change, kValue);
    SetWindowText(field, "zz");
    SendMessage(change, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(change));  // stays open after the error
    SendMessage(change, WM_COMMAND, IDCANCEL, 0);
  });
  DoubleClickLine(dialog, line);
  EXPECT_EQ(typed, "1F");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error! Wrong input."});
}

}  // namespace
