// The watch windows through the layer's messages: value texts becoming
// rows and members, answers matched to their requests, register texts,
// the Delete key, and edits that become assignments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/variable_control_bar.h"
#include "debugger/eval_8086regs.h"
#include "debugger/session_globals.h"
#include "framework/sec_docking.h"
#include "platform/afx/afx.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/message.h"
#include "tests/debugger/fake_target.h"
#include "tests/debugger_ui/dialog_fixture.h"

namespace {

// Records what the watch windows asked for.
class RecordingRequester : public CWatchRequester {
 public:
  void RequestWatchValue(const char* name, HTREEITEM node) override { requests.push_back({name, node}); }
  void RefreshAll() override {}
  std::vector<std::pair<std::string, HTREEITEM>> requests;
};

// An evaluator that records its assignments.
class RecordingEval : public CEval8086Regs {
 public:
  void Write(const char* text, const CAddr*, double value) override { writes.push_back({text, value}); }
  std::vector<std::pair<std::string, double>> writes;
};

class WatchApp : public CWinApp {
 public:
  WatchApp() : CWinApp("WatchBarTest") {}
};

class WatchBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dbgui_test::EnsureApp();
    static WatchApp* app = new WatchApp;
    (void)app;
    plat::ClearMessageBoxRecords();
    frame_ = new CFrameWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "Watch", WS_OVERLAPPEDWINDOW, CRect(0, 0, 480, 360)));
    SECEnableDocking(frame_, CBRS_ALIGN_ANY);
    variables_.SetName("Variable");
    ASSERT_TRUE(variables_.Create(frame_, "Variable", WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, SECBAR_GRIPPER,
                                  kVariableBarId));
    registers_.SetName("Register");
    ASSERT_TRUE(registers_.Create(frame_, "Register", WS_CHILD | WS_VISIBLE | CBRS_RIGHT, SECBAR_GRIPPER,
                                  kRegisterBarId));
    for (SECControlBar* bar :
         {static_cast<SECControlBar*>(&variables_), static_cast<SECControlBar*>(&registers_)}) {
      bar->m_szHorzDock = CSize(400, 160);
      bar->m_szVertDock = CSize(180, 300);
      bar->EnableDocking(CBRS_ALIGN_ANY);
    }
    frame_->DockControlBar(&variables_, AFX_IDW_DOCKBAR_BOTTOM);
    frame_->DockControlBar(&registers_, AFX_IDW_DOCKBAR_RIGHT);
    variables_.SetFrameRequester(&requester_);
    variables_.SetEvaluator(&eval_);
    registers_.SetFrameRequester(&requester_);
    frame_->ShowWindow(SW_SHOW);
    frame_->RecalcLayout();
    PumpWaitingMessages();
  }
  void TearDown() override {
    g_pDebugAccess = nullptr;
    frame_->DestroyWindow();
    PumpWaitingMessages();
  }

  CVariableTree& Tree() { return variables_.m_tree; }
  // The children of an item as "name=value" texts.
  std::vector<std::string> Members(CVariableTree& tree, HTREEITEM item) {
    std::vector<std::string> out;
    for (HTREEITEM c = tree.GetChildItem(item); c; c = tree.GetNextSiblingItem(c))
      out.push_back(std::string(tree.GetItemText(c)) + "=" + std::string(tree.ValueOf(c)));
    return out;
  }
  HTREEITEM Find(CVariableTree& tree, const char* name) {
    CExpressionEntry* e = tree.Variables().FindByName(name);
    return e ? e->node : nullptr;
  }
  // Edits a cell as a person does: the in-place edit, a text, Enter.
  void EditCell(CVariableTree& tree, HTREEITEM item, int column, const char* text) {
    tree.EnsureVisible(item);
    const int row = tree.FindRow(item);
    ASSERT_GE(row, 0);
    CEdit* edit = tree.EditLabel(row, column);
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText(text);
    SendMessage(edit->m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
  }

  static constexpr UINT kVariableBarId = 0xE810, kRegisterBarId = 0xE811;
  CFrameWnd* frame_ = nullptr;
  CVariableControlBar variables_{WatchRefresh::kAfterEdit, WatchAssign::kEvaluator};
  CVariableControlBar registers_{WatchRefresh::kNone, WatchAssign::kRegisters};
  RecordingRequester requester_;
  RecordingEval eval_;
};

TEST_F(WatchBarTest, StructuresAndArraysBecomeMembers) {
  Tree().SetValue("s", "{a = 1, b = {c = 2, d = 3}}", "struct S", nullptr);
  Tree().SetValue("arr", "{4, 5, 6}", "int [3]", nullptr);
  Tree().SetValue("empty", "{}", "struct E", nullptr);
  HTREEITEM s = Find(Tree(), "s");
  ASSERT_TRUE(s);
  EXPECT_EQ(std::string(Tree().ValueOf(s)), "");
  EXPECT_EQ(Members(Tree(), s), (std::vector<std::string>{"a=1", "b="}));
  HTREEITEM b = Tree().GetNextSiblingItem(Tree().GetChildItem(s));
  EXPECT_EQ(Members(Tree(), b), (std::vector<std::string>{"c=2", "d=3"}));
  EXPECT_EQ(Members(Tree(), Find(Tree(), "arr")), (std::vector<std::string>{"[0]=4", "[1]=5", "[2]=6"}));
  EXPECT_EQ(std::string(Tree().ValueOf(Find(Tree(), "empty"))), "<empty>");
  EXPECT_EQ(std::string(Tree().ExpressionOf(Tree().GetChildItem(b))), "s.b.c");
  EXPECT_EQ(std::string(Tree().ExpressionOf(Tree().GetChildItem(Find(Tree(), "arr")))), "arr[0]");
  // The shown rows read their values from the items.
  Tree().ExpandAll(nullptr);
  std::vector<std::string> rows;
  for (int r = 0; r < Tree().GetItemCount(); ++r) {
    char text[64] = {};
    Tree().GetItemText(r, CVariableTree::kValueColumn, text, sizeof text);
    rows.push_back(text);
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"", "1", "", "2", "3", "", "4", "5", "6", "<empty>"}));
  dbgui_test::SavePicture(frame_->m_hWnd, "watch_bars");
}

TEST_F(WatchBarTest, TheNameColumnIsTitledWithTheBarsName) {
  EXPECT_EQ(std::string(Tree().GetColumnHeading(CVariableTree::kNameColumn)), "Variable");
  EXPECT_EQ(std::string(Tree().GetColumnHeading(CVariableTree::kValueColumn)), "Value");
  variables_.SetName("");
  EXPECT_EQ(std::string(Tree().GetColumnHeading(CVariableTree::kNameColumn)), "Name");
}

TEST_F(WatchBarTest, AnUnchangedTypeKeepsTheItemsANewTypeReplacesThem) {
  Tree().SetValue("s", "{a = 1, b = 2}", "struct S", nullptr);
  HTREEITEM s = Find(Tree(), "s");
  HTREEITEM a = Tree().GetChildItem(s);
  Tree().Expand(s, TVE_EXPAND);
  Tree().SetValue("s", "{a = 7, b = 8}", "struct S", s);
  EXPECT_EQ(Tree().GetChildItem(s), a);
  EXPECT_TRUE(Tree().IsItemExpanded(s));
  EXPECT_EQ(Members(Tree(), s), (std::vector<std::string>{"a=7", "b=8"}));
  Tree().SetValue("s", "{x = 1}", "struct T", s);
  EXPECT_FALSE(Tree().IsValidHandle(a));
  EXPECT_EQ(Members(Tree(), s), (std::vector<std::string>{"x=1"}));
}

TEST_F(WatchBarTest, AnswersGoToTheirOwnRequestsInOrder) {
  variables_.AddPendingRequest("missing", nullptr);
  variables_.AddPendingRequest("colour", nullptr);
  variables_.AddPendingRequest("flag", nullptr);
  variables_.OnWatchValue("<not defined>", "");
  variables_.OnWatchValue("RED", "enum col {RED, GREEN}");
  variables_.OnWatchValue("true", "bool");
  variables_.OnWatchValue("99", "int");  // nothing pending: ignored
  EXPECT_EQ(std::string(Tree().ValueOf(Find(Tree(), "missing"))), "<not defined>");
  EXPECT_EQ(std::string(Tree().ValueOf(Find(Tree(), "colour"))), "RED");
  EXPECT_EQ(std::string(Tree().ValueOf(Find(Tree(), "flag"))), "true");
  EXPECT_EQ(Tree().Variables().GetCount(), 3);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(WatchBarTest, RefreshAsksForEveryExpressionWithItsItem) {
  Tree().SetValue("x", "1", "int", nullptr);
  Tree().SetValue("y", "2", "int", nullptr);
  variables_.RefreshAll();
  const std::vector<std::pair<std::string, HTREEITEM>> asked = {{"x", Find(Tree(), "x")},
                                                                {"y", Find(Tree(), "y")}};
  EXPECT_EQ(requester_.requests, asked);
}

TEST_F(WatchBarTest, RegisterTextFillsOneRowPerLine) {
  registers_.SetRegisterText("AX = 1234\r\nBX = 0000\r\n");
  registers_.SetRegisterText("AX = 4321\r\nBX = 0001");  // a last line without its end counts too
  CVariableTree& tree = registers_.m_tree;
  EXPECT_EQ(tree.Variables().GetCount(), 2);
  EXPECT_EQ(std::string(tree.ValueOf(Find(tree, "AX"))), "4321");
  EXPECT_EQ(std::string(tree.ValueOf(Find(tree, "BX"))), "0001");
}

TEST_F(WatchBarTest, DeleteRemovesAWatchAndItsLateAnswerIsDropped) {
  Tree().SetValue("s", "{a = 1}", "struct S", nullptr);
  Tree().SetValue("n", "5", "int", nullptr);
  HTREEITEM s = Find(Tree(), "s");
  variables_.RefreshAll();
  variables_.AddPendingRequest("s", s);
  Tree().SelectItem(Tree().GetChildItem(s));
  SendMessage(Tree().m_hWnd, WM_KEYDOWN, VK_DELETE, 1);  // a member stays
  EXPECT_EQ(Tree().Variables().GetCount(), 2);
  Tree().SelectItem(s);
  SendMessage(Tree().m_hWnd, WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(Tree().Variables().GetCount(), 1);
  EXPECT_FALSE(Tree().IsValidHandle(s));
  variables_.OnWatchValue("{a = 2}", "struct S");
  EXPECT_EQ(Tree().Variables().GetCount(), 1);
  EXPECT_EQ(Tree().GetCount(), 1);
}

TEST_F(WatchBarTest, EditingAValueAssignsItAndRefreshes) {
  Tree().SetValue("s", "{a = 1, arr = {4, 5}}", "struct S", nullptr);
  HTREEITEM s = Find(Tree(), "s");
  HTREEITEM arr = Tree().GetNextSiblingItem(Tree().GetChildItem(s));
  EditCell(Tree(), Tree().GetChildItem(arr), CVariableTree::kValueColumn, "0x10");
  EditCell(Tree(), Tree().GetChildItem(s), CVariableTree::kValueColumn, "2.5");
  const std::vector<std::pair<std::string, double>> writes = {{"s.arr[0]", 16.0}, {"s.a", 2.5}};
  EXPECT_EQ(eval_.writes, writes);
  EXPECT_EQ(std::string(Tree().ValueOf(Tree().GetChildItem(s))), "2.5");
  EXPECT_EQ(requester_.requests.size(), 2u);  // one refresh of "s" per edit
}

TEST_F(WatchBarTest, EditingANameWatchesTheNewExpressionInTheSameRow) {
  Tree().SetValue("s", "{a = 1}", "struct S", nullptr);
  HTREEITEM s = Find(Tree(), "s");
  EditCell(Tree(), s, CVariableTree::kNameColumn, "t");
  EXPECT_EQ(std::string(Tree().GetItemText(s)), "t");
  EXPECT_EQ(Tree().GetChildItem(s), nullptr);
  ASSERT_EQ(requester_.requests.size(), 1u);
  EXPECT_EQ(requester_.requests[0], std::make_pair(std::string("t"), s));
  Tree().SetValue("t", "42", "int", s);
  EXPECT_EQ(Tree().Variables().GetCount(), 1);
  EXPECT_EQ(std::string(Tree().ValueOf(s)), "42");
}

TEST_F(WatchBarTest, RegisterEditsGoStraightToTheTarget) {
  fixture::FakeTarget target;
  g_pDebugAccess = &target;
  registers_.SetRegisterText("EBX = 00000000\r\n");
  CVariableTree& tree = registers_.m_tree;
  EditCell(tree, Find(tree, "EBX"), CVariableTree::kValueColumn, "1234h");
  EXPECT_EQ(target.registers.Record().ebx, 0x1234u);
  g_pDebugAccess = nullptr;
  EditCell(tree, Find(tree, "EBX"), CVariableTree::kValueColumn, "7");  // no session: refused
  EXPECT_EQ(std::string(tree.ValueOf(Find(tree, "EBX"))), "1234h");
}

}  // namespace
