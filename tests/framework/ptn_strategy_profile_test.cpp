#include "framework/sec_ptn_strategy_profile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "framework/sec_persistent_tree_node.h"
#include "platform/sys/inifile.h"
#include "tests/support/test_support.h"

namespace {

using Node = SECPersistentTreeNode;

class ProfileTreeTest : public testing::Test {
 protected:
  void SetUp() override { file_ = mirt_test::MakeTempDir("ptn") + "/layout.ini"; }

  std::string Value(const char* section, const char* key) {
    return plat::ReadProfileValue(file_, section, key).value_or("<missing>");
  }
  std::vector<std::string> Keys(const char* section) {
    std::vector<std::string> keys;
    CStringList list;
    SECPTNStrategyProfile strategy(file_.c_str());
    strategy.GetSectionKeys(section, list);
    for (POSITION pos = list.GetHeadPosition(); pos;) keys.push_back(list.GetNext(pos).str());
    return keys;
  }
  BOOL Save(Node& root) {
    SECPTNStrategyProfile strategy(file_.c_str());
    return root.SaveTree(&strategy);
  }
  BOOL Load(Node& root) {
    SECPTNStrategyProfile strategy(file_.c_str());
    return root.LoadTree(&strategy);
  }

  std::string file_;
};

TEST_F(ProfileTreeTest, NodeSectionHoldsKeysThenChildListAndChildrenHaveDottedSections) {
  Node root;
  root.CreateNode("Layout", nullptr);
  root.SetKeyString("A", "1");
  root.SetKeyString("B", "x");
  Node* c1 = root.GetFactory().CreateNode("C1", &root);
  Node* c2 = root.GetFactory().CreateNode("C2", &root);
  c1->SetKeyInt("Width", 120);
  c2->GetFactory().CreateNode("Deep", c2)->SetKeyBool("On", TRUE);
  EXPECT_TRUE(Save(root));

  EXPECT_EQ(Keys("Layout"), (std::vector<std::string>{"A", "B", "ptn_Child1", "ptn_Child2"}));
  EXPECT_EQ(Value("Layout", "A"), "1");
  EXPECT_EQ(Value("Layout", "B"), "x");
  EXPECT_EQ(Value("Layout", "ptn_Child1"), "C1");
  EXPECT_EQ(Value("Layout", "ptn_Child2"), "C2");
  EXPECT_EQ(Value("Layout.C1", "Width"), "120");
  EXPECT_EQ(Value("Layout.C2", "ptn_Child1"), "Deep");
  EXPECT_EQ(Value("Layout.C2.Deep", "On"), "True");

  Node back;
  back.CreateNode("Layout", nullptr);
  ASSERT_TRUE(Load(back));
  CString text;
  EXPECT_EQ(back.GetKeyString("B", text), 0u);
  EXPECT_STREQ(text, "x");
  ASSERT_NE(back.FindChild("C2"), nullptr);
  Node* deep = back.FindChild("C2")->FindChild("Deep");
  ASSERT_NE(deep, nullptr);
  BOOL on = FALSE;
  EXPECT_EQ(deep->GetKeyBool("On", on), 0u);
  EXPECT_TRUE(on);
  CStringList names;
  back.GetChildNames(names);
  EXPECT_STREQ(names.GetHead(), "C1");
}

TEST_F(ProfileTreeTest, SavingAgainReplacesTheNodesSection) {
  Node root;
  root.CreateNode("Layout", nullptr);
  root.SetKeyString("Old", "1");
  ASSERT_TRUE(Save(root));
  root.RemoveKey("Old");
  root.SetKeyString("New", "2");
  ASSERT_TRUE(Save(root));
  EXPECT_EQ(Keys("Layout"), std::vector<std::string>{"New"});
}

TEST_F(ProfileTreeTest, KeysWrittenWithoutDeletingJoinTheSectionAndGatheredOnesAreNotLost) {
  mirt_test::WriteFile(file_, "[S]\r\nold=1\r\n[T]\r\nx=1\r\n");
  CStringList s, t;
  s.AddTail("S");
  t.AddTail("T");
  {
    SECPTNStrategyProfile strategy(file_.c_str());
    EXPECT_TRUE(strategy.WriteKeyValue(s, "new", "2"));
    EXPECT_TRUE(strategy.DeleteNode(t));
    EXPECT_TRUE(strategy.WriteKeyValue(t, "only", "3"));
    EXPECT_TRUE(strategy.WriteKeyValue(t, "ONLY", "4"));
  }
  EXPECT_EQ(Keys("S"), (std::vector<std::string>{"old", "new"}));
  EXPECT_EQ(Keys("T"), std::vector<std::string>{"only"});
  EXPECT_EQ(Value("T", "only"), "4");
}

TEST_F(ProfileTreeTest, KeysWithTheChildPrefixReadBackAsChildren) {
  mirt_test::WriteFile(file_, "[Root]\r\nptn_ChildOdd=Named\r\nkey=v\r\n[Root.Named]\r\nz=1\r\n");
  Node root;
  root.CreateNode("Root", nullptr);
  ASSERT_TRUE(Load(root));
  EXPECT_EQ(root.FindKey("ptn_ChildOdd"), nullptr);
  ASSERT_NE(root.FindChild("Named"), nullptr);
  EXPECT_NE(root.FindChild("Named")->FindKey("z"), nullptr);
}

TEST_F(ProfileTreeTest, LongValuesAndLongKeyListsReadBackWhole) {
  Node root;
  root.CreateNode("Big", nullptr);
  std::string long255(255, 'v'), long5000(5000, 'w');
  root.SetKeyString("v255", long255.c_str());
  root.SetKeyString("v5000", long5000.c_str());
  std::string block(3000, '\x7E');
  root.SetKeyBinary("Placement", reinterpret_cast<const BYTE*>(block.data()), 3000);
  const std::string stem(120, 'K');  // 80 such names make a key list of more than 8192 bytes
  for (int i = 0; i < 80; ++i) root.SetKeyInt((stem + std::to_string(i)).c_str(), i);
  ASSERT_TRUE(Save(root));

  Node back;
  back.CreateNode("Big", nullptr);
  ASSERT_TRUE(Load(back));
  CString text;
  back.GetKeyString("v255", text);
  EXPECT_EQ(text.str(), long255);
  back.GetKeyString("v5000", text);
  EXPECT_EQ(text.str(), long5000);
  int last = 0;
  EXPECT_EQ(back.GetKeyInt((stem + "79").c_str(), last), 0u) << "the end of a long key list";
  EXPECT_EQ(last, 79);
  BYTE* data = nullptr;
  UINT count = 0;
  ASSERT_EQ(back.GetKeyBinary("Placement", &data, &count), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), block);
  delete[] data;
}

TEST_F(ProfileTreeTest, TextThatWouldBreakTheFileIsNotWritten) {
  Node root;
  root.CreateNode("Safe", nullptr);
  root.SetKeyString("Title", "line\r\n[Evil]\r\nx=1");
  root.SetKeyString("a=b", "1");
  root.SetKeyString("[x", "1");
  root.SetKeyString("Fine", "ok");
  root.GetFactory().CreateNode("Bad]Name", &root)->SetKeyString("k", "v");
  ASSERT_TRUE(Save(root));
  char sections[256] = {};
  GetPrivateProfileSectionNames(sections, sizeof sections, file_.c_str());
  EXPECT_STREQ(sections, "Safe");
  EXPECT_EQ(sections[5], '\0') << "only the one section";
  EXPECT_EQ(Keys("Safe"), (std::vector<std::string>{"Fine", "ptn_Child1"}));
}

TEST_F(ProfileTreeTest, ChildAlreadyPresentIsSkippedWithItsSubtree) {
  mirt_test::WriteFile(
      file_, "[R]\r\nptn_Child1=Kid\r\nptn_Child2=New\r\n[R.Kid]\r\nstored=1\r\n[R.New]\r\nn=2\r\n");
  Node root;
  root.CreateNode("R", nullptr);
  Node mine;
  mine.CreateNode("Kid", &root);
  ASSERT_TRUE(Load(root));
  EXPECT_EQ(mine.FindKey("stored"), nullptr);
  ASSERT_NE(root.FindChild("New"), nullptr);
  EXPECT_NE(root.FindChild("New")->FindKey("n"), nullptr);
}

TEST_F(ProfileTreeTest, MissingNodeAndUnusableArgumentsFailToLoad) {
  Node root;
  root.CreateNode("Absent", nullptr);
  EXPECT_FALSE(Load(root));
  Node unborn;
  EXPECT_FALSE(Load(unborn));
  EXPECT_FALSE(Save(unborn));
  EXPECT_FALSE(root.LoadTree(nullptr));
  EXPECT_FALSE(root.SaveTree(nullptr));
}

TEST_F(ProfileTreeTest, NamesThatMeetInOneSectionCannotMultiplyTheLoad) {
  // Each section names two children whose sections are the same one file
  // section (letter case) and one that reaches further down through a dot.
  std::string text;
  std::string section = "R";
  for (int level = 0; level < 40; ++level) {
    text += "[" + section +
            "]\r\nptn_Child1=a\r\nptn_Child2=A\r\nptn_Child3=a.a\r\nk=" + std::to_string(level) + "\r\n";
    section += ".a";
  }
  mirt_test::WriteFile(file_, text);
  auto start = std::chrono::steady_clock::now();
  Node root;
  root.CreateNode("R", nullptr);
  ASSERT_TRUE(Load(root));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  int depth = 0;
  for (Node* node = &root; node; node = node->FindChild("a")) ++depth;
  EXPECT_EQ(depth, 41);
}

}  // namespace
