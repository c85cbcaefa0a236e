// The project tree offscreen: groups made on demand, item kinds and images,
// double click and Delete through synthesized input, and the project bar's
// drops and context menu item.
#include <gtest/gtest.h>

#include <QEvent>
#include <string>
#include <vector>

#include "app/project_control_bar.h"
#include "app/project_tree.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/message.h"
#include "platform/ui/ui.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace {

class RecordingOwner : public CProjectTreeOwner {
 public:
  void AddFileToProject(const char* path) override { added.push_back(path); }
  void OpenProjectFile(const char* name) override { opened.push_back(name); }
  void RemoveFileFromProject(const char* name) override { removed.push_back(name); }
  std::vector<std::string> added, opened, removed;
};

class ProjectTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "tree", WS_POPUP | WS_VISIBLE, 0, 0, 300, 400,
                                nullptr, 0));
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            CRect(0, 0, 300, 400), &parent, CProjectTree::kControlId));
    tree.SetOwner(&owner);
  }
  void TearDown() override {
    tree.DestroyWindow();
    parent.DestroyWindow();
  }

  // Texts of the children of an item (the top level for null).
  std::vector<std::string> Children(HTREEITEM item) {
    std::vector<std::string> out;
    for (HTREEITEM i = item ? tree.GetChildItem(item) : tree.GetRootItem(); i; i = tree.GetNextSiblingItem(i))
      out.push_back(static_cast<const char*>(tree.GetItemText(i)));
    return out;
  }
  HTREEITEM Child(HTREEITEM item, const std::string& text) {
    for (HTREEITEM i = tree.GetChildItem(item); i; i = tree.GetNextSiblingItem(i))
      if (std::string(tree.GetItemText(i)) == text) return i;
    return nullptr;
  }
  void DoubleClick(HTREEITEM item) {
    tree.Expand(tree.GetParentItem(item), TVE_EXPAND);
    tree.SelectItem(item);
    CRect r;
    ASSERT_TRUE(tree.GetItemRect(item, &r, TRUE));
    CPoint c = r.CenterPoint();
    ui_test::Mouse(tree.m_hWnd, QEvent::MouseButtonPress, c.x, c.y, Qt::LeftButton, Qt::LeftButton);
    ui_test::Mouse(tree.m_hWnd, QEvent::MouseButtonRelease, c.x, c.y, Qt::LeftButton, Qt::NoButton);
    ui_test::Mouse(tree.m_hWnd, QEvent::MouseButtonDblClick, c.x, c.y, Qt::LeftButton, Qt::LeftButton);
    ui_test::Mouse(tree.m_hWnd, QEvent::MouseButtonRelease, c.x, c.y, Qt::LeftButton, Qt::NoButton);
    PumpWaitingMessages();
  }
  void PressDelete(HTREEITEM item) {
    tree.SelectItem(item);
    tree.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    PumpWaitingMessages();
  }

  CWnd parent;
  CProjectTree tree;
  RecordingOwner owner;
};

TEST_F(ProjectTreeTest, FirstFileMakesUnknownProjectAndItsGroup) {
  tree.AddSourceItem("main.c");
  EXPECT_EQ(Children(nullptr), std::vector<std::string>{"unknown project"});
  HTREEITEM root = tree.RootItem();
  EXPECT_EQ(Children(root), std::vector<std::string>{"Sources"});
  EXPECT_EQ(Children(Child(root, "Sources")), std::vector<std::string>{"main.c"});
}

TEST_F(ProjectTreeTest, GroupsComeInTheOrderOfTheirFirstFile) {
  tree.SetProjectItem("demo.exe");
  tree.AddSourceItem("main.c");
  tree.AddHeaderItem("main.h");
  tree.AddLibraryItem("x.lib");
  tree.AddSourceItem("util.c");
  tree.AddInstallationItem("demo.ins");
  HTREEITEM root = tree.RootItem();
  EXPECT_EQ(Children(root),
            (std::vector<std::string>{"Sources", "Header", "Libraries/OBJs", "Installation file"}));
  EXPECT_EQ(Children(Child(root, "Sources")), (std::vector<std::string>{"main.c", "util.c"}));
  // Kinds and images per group (legend in project_tree.h).
  struct Expect {
    const char* group;
    DWORD_PTR kind;
    int image;
  };
  for (Expect e : {Expect{"Sources", kItemSource, kImageSource}, Expect{"Header", kItemHeader, kImageHeader},
                   Expect{"Libraries/OBJs", kItemLibrary, kImageFile},
                   Expect{"Installation file", kItemInstallation, kImageFile}}) {
    HTREEITEM item = tree.GetChildItem(Child(root, e.group));
    int image = -1, selected = -1;
    tree.GetItemImage(item, image, selected);
    EXPECT_EQ(tree.GetItemData(item), e.kind) << e.group;
    EXPECT_EQ(image, e.image) << e.group;
    EXPECT_EQ(selected, e.image) << e.group;
  }
}

TEST_F(ProjectTreeTest, ExpandingAGroupShowsItOpen) {
  tree.AddSourceItem("main.c");
  HTREEITEM sources = Child(tree.RootItem(), "Sources");
  tree.Expand(tree.RootItem(), TVE_EXPAND);
  tree.Expand(sources, TVE_EXPAND);
  int image = -1, selected = -1;
  tree.GetItemImage(sources, image, selected);
  EXPECT_EQ(image, kImageGroupOpen);
  tree.Expand(sources, TVE_COLLAPSE);
  tree.GetItemImage(sources, image, selected);
  EXPECT_EQ(image, kImageGroupClosed);
}

TEST_F(ProjectTreeTest, DoubleClickOpensSourcesHeadersAndTheInstallationFileOnly) {
  tree.SetProjectItem("demo.exe");
  HTREEITEM source = tree.AddSourceItem("main.c");
  HTREEITEM header = tree.AddHeaderItem("main.h");
  HTREEITEM library = tree.AddLibraryItem("x.lib");
  HTREEITEM ins = tree.AddInstallationItem("demo.ins");
  tree.Expand(tree.RootItem(), TVE_EXPAND);
  for (HTREEITEM item : {source, header, library, ins, Child(tree.RootItem(), "Sources")}) DoubleClick(item);
  EXPECT_EQ(owner.opened, (std::vector<std::string>{"main.c", "main.h", "demo.ins"}));
}

TEST_F(ProjectTreeTest, DeleteTakesAFileOutOfTheProject) {
  tree.AddSourceItem("main.c");
  HTREEITEM util = tree.AddSourceItem("util.c");
  tree.Expand(tree.RootItem(), TVE_EXPAND);
  PressDelete(util);
  EXPECT_EQ(owner.removed, std::vector<std::string>{"util.c"});
  EXPECT_EQ(Children(Child(tree.RootItem(), "Sources")), std::vector<std::string>{"main.c"});
}

// A deleted group (or root) is forgotten: the next file makes it again
// instead of going under a deleted item.
TEST_F(ProjectTreeTest, DeletedGroupOrRootIsMadeAgainByTheNextFile) {
  tree.SetProjectItem("demo.exe");
  tree.AddSourceItem("main.c");
  tree.AddHeaderItem("main.h");
  PressDelete(Child(tree.RootItem(), "Sources"));
  EXPECT_TRUE(owner.removed.empty());
  tree.AddSourceItem("util.c");
  EXPECT_EQ(Children(tree.RootItem()), (std::vector<std::string>{"Header", "Sources"}));
  EXPECT_EQ(Children(Child(tree.RootItem(), "Sources")), std::vector<std::string>{"util.c"});

  PressDelete(tree.RootItem());
  EXPECT_EQ(tree.GetCount(), 0u);
  tree.AddHeaderItem("io.h");
  EXPECT_EQ(Children(nullptr), std::vector<std::string>{"unknown project"});
  EXPECT_EQ(Children(Child(tree.RootItem(), "Header")), std::vector<std::string>{"io.h"});
}

TEST_F(ProjectTreeTest, ClearAndRemovingTheInstallationGroup) {
  tree.SetProjectItem("demo.exe");
  tree.AddSourceItem("main.c");
  tree.AddInstallationItem("demo.ins");
  tree.RemoveInstallationGroup();
  EXPECT_EQ(Children(tree.RootItem()), std::vector<std::string>{"Sources"});
  tree.AddInstallationItem("other.ins");
  EXPECT_EQ(Children(tree.RootItem()), (std::vector<std::string>{"Sources", "Installation file"}));
  tree.ClearTree();
  EXPECT_EQ(tree.GetCount(), 0u);
  EXPECT_EQ(tree.RootItem(), nullptr);
}

TEST(ProjectBarTest, DropsGoToTheOwnerInOrderAndTheMenuOffersInsertFile) {
  ui_test::EnsureApp();
  CProjectControlBar bar;
  RecordingOwner owner;
  bar.SetOwner(&owner);
  bar.AddDroppedFiles({"/p/b.c", "/p/a.h", "/p/x.lib"});
  EXPECT_EQ(owner.added, (std::vector<std::string>{"/p/b.c", "/p/a.h", "/p/x.lib"}));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  bar.AddContextMenuItems(&menu);
  ASSERT_EQ(menu.GetMenuItemCount(), 2u);
  EXPECT_EQ(menu.GetMenuItemID(1), CProjectControlBar::kInsertFileCommand);
  CString text;
  menu.GetMenuString(1, text, MF_BYPOSITION);
  EXPECT_EQ(std::string(text), "Insert File Into Project");
}

}  // namespace
