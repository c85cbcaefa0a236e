#include "framework/sec_ptn_strategy_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sec_persistent_tree_node.h"
#include "persist_fixture.h"
#include "platform/sys/path.h"
#include "tests/support/test_support.h"

namespace {

using Node = SECPersistentTreeNode;

std::vector<std::string> Names(const CStringList& list) {
  std::vector<std::string> v;
  for (POSITION pos = list.GetHeadPosition(); pos;) v.push_back(list.GetNext(pos).str());
  return v;
}

class RegistryTreeTest : public RegistryKeyTest {
 protected:
  BOOL Save(Node& root) {
    SECPTNStrategyRegistry strategy(base_.c_str(), HKEY_CURRENT_USER);
    return root.SaveTree(&strategy);
  }
  BOOL Load(Node& root) {
    SECPTNStrategyRegistry strategy((base_ + "\\").c_str(), HKEY_CURRENT_USER);
    return root.LoadTree(&strategy);
  }
  std::string StoredText(const std::string& below, const char* name) {
    SECRegistry reg;
    reg.Connect(HKEY_CURRENT_USER);
    CString text("<missing>");
    if (!reg.Open(Key(below).c_str()) || !reg.GetStringValue(name, text)) return "<missing>";
    return text.str();
  }
};

TEST_F(RegistryTreeTest, KeyPathsEndEveryElementWithABackslash) {
  SECPTNStrategyRegistry strategy("Software\\Maker", HKEY_CURRENT_USER);
  CStringList path;
  path.AddTail("Layout");
  path.AddTail("DockState");
  path.AddTail("Bar-1");
  CString keyPath;
  strategy.GetKeyPath(keyPath, path);
  EXPECT_STREQ(keyPath, "Layout\\DockState\\Bar-1\\");
  EXPECT_STREQ(strategy.FullKeyPath(path), "Software\\Maker\\Layout\\DockState\\Bar-1\\");
  SECPTNStrategyRegistry already("Software\\Maker\\", HKEY_CURRENT_USER);
  EXPECT_STREQ(already.FullKeyPath(path), "Software\\Maker\\Layout\\DockState\\Bar-1\\");
}

TEST_F(RegistryTreeTest, TreeOfEveryValueKindRoundTrips) {
  Node root;
  root.CreateNode("Layout", nullptr);
  root.SetKeyString("Title", "Main window");
  root.SetKeyString("Empty", "");
  Node* dock = root.GetFactory().CreateNode("DockState", &root);
  dock->SetKeyInt("Bars", 2);
  dock->SetKeyInt("ScreenCX", -1);
  std::string placement(44, '\x01');
  placement[0] = '\xFF';
  std::string big(700, '\x80');
  for (int i = 0; i < 2; ++i) {
    Node* bar = dock->GetFactory().CreateNode(("Bar-" + std::to_string(i)).c_str(), dock);
    bar->SetKeyBool("Floating", i == 1);
    bar->SetKeyBinary("MDIChildWindowPlacement", reinterpret_cast<const BYTE*>(placement.data()), 44);
    bar->SetKeyBinary("Extra", reinterpret_cast<const BYTE*>(big.data()), 700);
    bar->SetKeyString("Long", std::string(3000, 'L').c_str());
  }
  ASSERT_TRUE(Save(root));
  EXPECT_EQ(StoredText("Layout\\DockState", "Bars"), "2");
  EXPECT_EQ(StoredText("Layout\\DockState\\Bar-1", "Floating"), "True");

  Node back;
  back.CreateNode("Layout", nullptr);
  ASSERT_TRUE(Load(back));
  CString text("x");
  EXPECT_EQ(back.GetKeyString("Empty", text), 0u);
  EXPECT_TRUE(text.IsEmpty());
  Node* dockBack = back.FindChild("DockState");
  ASSERT_NE(dockBack, nullptr);
  int cx = 0;
  dockBack->GetKeyInt("ScreenCX", cx);
  EXPECT_EQ(cx, -1);
  Node* bar1 = dockBack->FindChild("Bar-1");
  ASSERT_NE(bar1, nullptr);
  BOOL floating = FALSE;
  bar1->GetKeyBool("Floating", floating);
  EXPECT_TRUE(floating);
  BYTE* data = nullptr;
  UINT count = 0;
  ASSERT_EQ(bar1->GetKeyBinary("MDIChildWindowPlacement", &data, &count), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), placement);
  delete[] data;
  ASSERT_EQ(bar1->GetKeyBinary("Extra", &data, &count), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), big);
  delete[] data;
  bar1->GetKeyString("Long", text);
  EXPECT_EQ(text.GetLength(), 3000);
}

TEST_F(RegistryTreeTest, ChildrenWithoutKeysReadBackInKeyOrderAndValuesInTheOrderWritten) {
  Node root;
  root.CreateNode("R", nullptr);
  for (const char* name : {"zeta", "Alpha", "mid"}) root.GetFactory().CreateNode(name, &root);
  for (const char* key : {"k3", "k1", "k2"}) root.SetKeyString(key, key);
  ASSERT_TRUE(Save(root));
  Node back;
  back.CreateNode("R", nullptr);
  ASSERT_TRUE(Load(back));
  CStringList names;
  back.GetChildNames(names);
  EXPECT_EQ(Names(names), (std::vector<std::string>{"Alpha", "mid", "zeta"}));
  std::vector<std::string> keys;
  const auto& pairs = back.GetKeyValuePairs();
  for (POSITION pos = pairs.GetHeadPosition(); pos;) keys.push_back(pairs.GetNext(pos)->m_strKey.str());
  EXPECT_EQ(keys, (std::vector<std::string>{"k3", "k1", "k2"}));
}

TEST_F(RegistryTreeTest, SavingAgainDropsWhatTheTreeNoLongerHas) {
  Node root;
  root.CreateNode("R", nullptr);
  Node* gone = root.GetFactory().CreateNode("Gone", &root);
  gone->GetFactory().CreateNode("Below", gone)->SetKeyString("x", "1");
  root.SetKeyString("Old", "1");
  ASSERT_TRUE(Save(root));
  ASSERT_TRUE(KeyExists("R\\Gone\\Below"));
  root.GetFactory().DestroyObject(gone);
  root.RemoveKey("Old");
  root.SetKeyString("New", "2");
  ASSERT_TRUE(Save(root));
  EXPECT_FALSE(KeyExists("R\\Gone"));
  EXPECT_EQ(StoredText("R", "Old"), "<missing>");
  EXPECT_EQ(StoredText("R", "New"), "2");
}

TEST_F(RegistryTreeTest, ValuesThatAreNotTextAreSkipped) {
  SECRegistry reg;
  reg.Connect(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.CreateKey(Key("R").c_str()));
  reg.SetDWordValue("Number", 5);
  reg.SetStringValue("Text", "t");
  reg.SetBinaryValue("Bytes", CByteArray());
  Node back;
  back.CreateNode("R", nullptr);
  ASSERT_TRUE(Load(back));
  EXPECT_EQ(back.FindKey("Number"), nullptr);
  EXPECT_EQ(back.FindKey("Bytes"), nullptr);
  EXPECT_NE(back.FindKey("Text"), nullptr);
}

TEST_F(RegistryTreeTest, MissingNodeFailsToLoadAndLeavesTheNodeAlone) {
  Node root;
  root.CreateNode("Absent", nullptr);
  root.SetKeyString("mine", "1");
  EXPECT_FALSE(Load(root));
  EXPECT_NE(root.FindKey("mine"), nullptr);
  SECPTNStrategyRegistry strategy(base_.c_str(), HKEY_CURRENT_USER);
  CStringList path;
  path.AddTail("Absent");
  EXPECT_FALSE(strategy.DeleteNode(path));
}

TEST_F(RegistryTreeTest, DeepStoredTreesLoadToTheDepthLimitAndDeleteWhole) {
  std::string path = "R";
  for (int level = 0; level < 600; ++level) path += "\\n";
  SECRegistry reg;
  reg.Connect(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.CreateKey(Key(path).c_str()));
  ASSERT_TRUE(reg.SetStringValue("leaf", "1"));

  Node root;
  root.CreateNode("R", nullptr);
  ASSERT_TRUE(Load(root));
  int depth = 0;
  const Node* node = &root;
  for (; node->FindChild("n"); node = node->FindChild("n")) ++depth;
  EXPECT_EQ(depth + 1, Node::kMaxLoadDepth);

  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
  EXPECT_TRUE(reg.DeleteKey(Key("R").c_str(), TRUE));
  EXPECT_FALSE(KeyExists("R"));
}

TEST_F(RegistryTreeTest, DamagedStoreFileLosesOnlyItsBadLines) {
  Node root;
  root.CreateNode("R", nullptr);
  root.SetKeyString("Before", "1");
  root.SetKeyString("Victim", "2");
  root.SetKeyString("After", "3");
  root.GetFactory().CreateNode("Child", &root)->SetKeyString("c", "4");
  ASSERT_TRUE(Save(root));
  ASSERT_TRUE(plat::FlushRegistry());
  std::string file = plat::SettingsDir() + "/HKEY_CURRENT_USER.reg";
  std::string text = mirt_test::ReadFile(file);
  size_t at = text.find("\"Victim\"=\"2\"");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 12, "\"Victim\"=nonsense");
  mirt_test::WriteFile(file, text);
  plat::ReloadRegistry();

  Node back;
  back.CreateNode("R", nullptr);
  ASSERT_TRUE(Load(back));
  EXPECT_NE(back.FindKey("Before"), nullptr);
  EXPECT_EQ(back.FindKey("Victim"), nullptr);
  EXPECT_NE(back.FindKey("After"), nullptr);
  ASSERT_NE(back.FindChild("Child"), nullptr);
  EXPECT_NE(back.FindChild("Child")->FindKey("c"), nullptr);
  EXPECT_TRUE(plat::FileExists(file + ".bad"));
}

}  // namespace
