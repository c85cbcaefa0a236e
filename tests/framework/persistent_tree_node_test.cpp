#include "framework/sec_persistent_tree_node.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/ptn_binary_text.h"

namespace {

using Node = SECPersistentTreeNode;

std::vector<std::pair<std::string, std::string>> Pairs(const Node& node) {
  std::vector<std::pair<std::string, std::string>> out;
  const auto& pairs = node.GetKeyValuePairs();
  for (POSITION pos = pairs.GetHeadPosition(); pos;) {
    const auto* pair = pairs.GetNext(pos);
    out.emplace_back(pair->m_strKey.str(), pair->m_strValue.str());
  }
  return out;
}

std::string ReadBinary(const Node& node, const char* key, DWORD* code = nullptr) {
  BYTE* data = nullptr;
  UINT count = 0;
  DWORD rc = node.GetKeyBinary(key, &data, &count);
  if (code) *code = rc;
  std::string bytes(reinterpret_cast<char*>(data), data ? count : 0);
  delete[] data;
  return bytes;
}

DWORD WriteBinary(Node& node, const char* key, const std::string& bytes, BOOL overwrite = TRUE) {
  return node.SetKeyBinary(key, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()),
                           overwrite);
}

std::string Pattern(size_t count) {
  std::string s(count, '\0');
  for (size_t i = 0; i < count; ++i) s[i] = static_cast<char>(i * 37 + 11);
  return s;
}

struct Tree {
  Tree() { root.CreateNode("Layout", nullptr); }
  Node root;
};

TEST(PersistentTreeNode, CreateNodeAndAddChildCheckTheirArguments) {
  Node node;
  EXPECT_EQ(node.CreateNode("", nullptr), Node::ptnBadName);
  EXPECT_EQ(node.CreateNode(nullptr, nullptr), Node::ptnBadName);
  EXPECT_FALSE(node.IsCreated());
  Node loose;
  EXPECT_EQ(node.AddChild(&loose), Node::ptnNotCreated);
  EXPECT_EQ(node.AddChild(nullptr), Node::ptnNotCreated | Node::ptnBadName);
  ASSERT_EQ(node.CreateNode("Root", nullptr), 0u);
  EXPECT_EQ(node.CreateNode("Again", nullptr), Node::ptnAlreadyCreated);
  EXPECT_EQ(node.CreateNode("", nullptr), Node::ptnAlreadyCreated | Node::ptnBadName);
  EXPECT_STREQ(node.GetName(), "Root");
  EXPECT_EQ(node.AddChild(nullptr), Node::ptnBadName);

  Node first, twin, other;
  EXPECT_EQ(first.CreateNode("Child", &node), 0u);
  EXPECT_EQ(twin.CreateNode("Child", &node), Node::ptnChildExists);
  EXPECT_FALSE(twin.IsCreated());
  EXPECT_TRUE(twin.GetName().IsEmpty()) << "a refused node stays as it was";
  EXPECT_EQ(other.CreateNode("child", &node), 0u) << "names compare with letter case";
  EXPECT_EQ(node.FindChild("Child"), &first);
  EXPECT_EQ(node.FindChild("child"), &other);
  EXPECT_EQ(node.FindChild(""), nullptr);
  CStringList path;
  other.GetPath(path);
  ASSERT_EQ(path.GetCount(), 2);
  EXPECT_STREQ(path.GetHead(), "Root");
  EXPECT_STREQ(path.GetTail(), "child");
}

TEST(PersistentTreeNode, KeysKeepTheirOrderAndRefuseWhatTheyMust) {
  Tree t;
  EXPECT_EQ(t.root.SetKeyString("B", "1"), 0u);
  EXPECT_EQ(t.root.SetKeyInt("A", -42), 0u);
  EXPECT_EQ(t.root.SetKeyBool("C", TRUE), 0u);
  EXPECT_EQ(t.root.SetKeyBool("D", FALSE), 0u);
  EXPECT_EQ(t.root.SetKeyString("B", "2", FALSE), Node::ptnKeyExists);
  EXPECT_EQ(t.root.SetKeyString("", "x", FALSE), Node::ptnEmptyKey);
  EXPECT_EQ(t.root.SetKeyString("B", "3"), 0u);
  EXPECT_EQ(t.root.RemoveKey("A"), 0u);
  EXPECT_EQ(t.root.RemoveKey("A"), Node::ptnKeyMissing);
  EXPECT_EQ(t.root.SetKeyString("A", "again"), 0u);
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(Pairs(t.root), (std::vector<P>{{"B", "3"}, {"C", "True"}, {"D", "False"}, {"A", "again"}}));

  Node unborn;
  EXPECT_EQ(unborn.SetKeyString("", "x"), Node::ptnNotCreated | Node::ptnEmptyKey);
  EXPECT_EQ(unborn.SetKeyInt("k", 1), Node::ptnNotCreated);
  EXPECT_EQ(unborn.SetKeyBinary("k", nullptr, 0), Node::ptnNotCreated | Node::ptnNullData);
  EXPECT_TRUE(Pairs(unborn).empty());
  CString text;
  EXPECT_EQ(unborn.GetKeyString("k", text, "dflt"), Node::ptnKeyMissing);
  EXPECT_STREQ(text, "dflt");
}

TEST(PersistentTreeNode, NumberReadersTakeTheLeadingDecimalNumber) {
  struct Case {
    const char* stored;
    int value;
  } cases[] = {{"12abc", 12},
               {"abc", 0},
               {"", 0},
               {"-7", -7},
               {"  33", 33},
               {"+5x", 5},
               {"2147483647", INT_MAX},
               {"99999999999", INT_MAX},
               {"-99999999999", INT_MIN}};
  Tree t;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    t.root.SetKeyString("n", c.stored);
    int i = 1;
    UINT u = 1;
    LONG l = 1;
    DWORD d = 1;
    EXPECT_EQ(t.root.GetKeyInt("n", i, 99), 0u);
    EXPECT_EQ(t.root.GetKeyUInt("n", u, 99), 0u);
    EXPECT_EQ(t.root.GetKeyLong("n", l, 99), 0u);
    EXPECT_EQ(t.root.GetKeyDWord("n", d, 99), 0u);
    EXPECT_EQ(i, c.value);
    EXPECT_EQ(u, static_cast<UINT>(c.value));
    EXPECT_EQ(l, c.value);
    EXPECT_EQ(d, static_cast<DWORD>(c.value));
  }
  int i = 0;
  EXPECT_EQ(t.root.GetKeyInt("missing", i, -3), Node::ptnKeyMissing);
  EXPECT_EQ(i, -3);
  t.root.SetKeyInt("round", INT_MIN);
  EXPECT_EQ(t.root.GetKeyInt("round", i), 0u);
  EXPECT_EQ(i, INT_MIN);
}

TEST(PersistentTreeNode, BooleanReaderAcceptsOnlyTrueInAnyCase) {
  struct Case {
    const char* stored;
    BOOL value;
  } cases[] = {{"True", 1}, {"tRuE", 1}, {"TRUE", 1}, {"False", 0},
               {"0", 0},    {"1", 0},    {"yes", 0},  {" True", 0}};
  Tree t;
  for (const Case& c : cases) {
    t.root.SetKeyString("b", c.stored);
    BOOL b = 7;
    EXPECT_EQ(t.root.GetKeyBool("b", b, 5), 0u);
    EXPECT_EQ(b, c.value) << c.stored;
  }
  BOOL b = 0;
  EXPECT_EQ(t.root.GetKeyBool("missing", b, TRUE), Node::ptnKeyMissing);
  EXPECT_EQ(b, TRUE);
}

TEST(PersistentTreeNode, BinaryTextIsTwoLettersPerByteLowNibbleFirst) {
  const std::string bytes("\x00\x1F\xA5", 3);
  EXPECT_EQ(ptn::BinaryToText(reinterpret_cast<const BYTE*>(bytes.data()), 3), "AAPBFK");
  CByteArray back;
  ptn::TextToBinary("AAPBFKQ", back);  // the unpaired Q is ignored
  ASSERT_EQ(back.GetSize(), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(back.GetData()), 3), bytes);
  ptn::TextToBinary("zz", back);  // letters beyond P wrap modulo 256
  ASSERT_EQ(back.GetSize(), 1);
  EXPECT_EQ(back[0], static_cast<BYTE>((('z' - 65) + 16 * ('z' - 65)) & 0xFF));
}

TEST(PersistentTreeNode, LongBinaryValuesAreStoredInPiecesOf250Characters) {
  struct Case {
    size_t bytes;
    int pieces;  // 0: stored under the key itself
    size_t lastPiece;
  } cases[] = {{1, 0, 0}, {44, 0, 0}, {125, 0, 0}, {126, 2, 2}, {250, 2, 250}, {251, 3, 2}, {2000, 16, 250}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    Tree t;
    std::string data = Pattern(c.bytes);
    ASSERT_EQ(WriteBinary(t.root, "Place", data), 0u);
    CString text;
    int count = -1;
    if (c.pieces == 0) {
      EXPECT_EQ(t.root.GetKeyString("Place", text), 0u);
      EXPECT_EQ(text.GetLength(), static_cast<int>(2 * c.bytes));
      EXPECT_EQ(t.root.GetKeyInt("Place_BinCount", count), Node::ptnKeyMissing);
    } else {
      EXPECT_EQ(t.root.FindKey("Place"), nullptr);
      EXPECT_EQ(t.root.GetKeyInt("Place_BinCount", count), 0u);
      EXPECT_EQ(count, c.pieces);
      EXPECT_EQ(t.root.GetKeyString("Place_BinVal0", text), 0u);
      EXPECT_EQ(text.GetLength(), 250);
      std::string last = "Place_BinVal" + std::to_string(c.pieces - 1);
      EXPECT_EQ(t.root.GetKeyString(last.c_str(), text), 0u);
      EXPECT_EQ(static_cast<size_t>(text.GetLength()), c.lastPiece);
    }
    EXPECT_EQ(ReadBinary(t.root, "Place"), data);
  }
}

TEST(PersistentTreeNode, RewritingABinaryValueLeavesNoStalePieces) {
  const std::vector<size_t> sizes = {2000, 10, 600, 3000, 126, 0, 44};
  Tree t;
  for (size_t size : sizes) {
    SCOPED_TRACE(size);
    std::string data = Pattern(size) + "x";
    ASSERT_EQ(WriteBinary(t.root, "Block", data), 0u);
    EXPECT_EQ(ReadBinary(t.root, "Block"), data);
    size_t expectedPairs = data.size() * 2 < 251 ? 1 : 1 + (data.size() * 2 + 249) / 250;
    EXPECT_EQ(Pairs(t.root).size(), expectedPairs);
  }
}

TEST(PersistentTreeNode, BinaryValueWithoutOverwriteKeepsEitherForm) {
  Tree t;
  ASSERT_EQ(WriteBinary(t.root, "Short", "ab"), 0u);
  ASSERT_EQ(WriteBinary(t.root, "Long", Pattern(300)), 0u);
  EXPECT_EQ(WriteBinary(t.root, "Short", Pattern(300), FALSE), Node::ptnKeyExists);
  EXPECT_EQ(WriteBinary(t.root, "Long", "cd", FALSE), Node::ptnKeyExists);
  EXPECT_EQ(ReadBinary(t.root, "Short"), "ab");
  EXPECT_EQ(ReadBinary(t.root, "Long"), Pattern(300));
  EXPECT_EQ(t.root.SetKeyBinary("Any", nullptr, 4), Node::ptnNullData);
  EXPECT_EQ(t.root.GetKeyBinary("Short", nullptr, nullptr), Node::ptnNullData);
}

TEST(PersistentTreeNode, BinaryReadFailsOnMissingPiecesAndEmptyText) {
  Tree t;
  ASSERT_EQ(WriteBinary(t.root, "Gap", Pattern(400)), 0u);
  ASSERT_EQ(t.root.RemoveKey("Gap_BinVal1"), 0u);
  DWORD code = 0;
  BYTE* data = reinterpret_cast<BYTE*>(&code);
  UINT count = 5;
  EXPECT_EQ(t.root.GetKeyBinary("Gap", &data, &count), Node::ptnKeyMissing);
  EXPECT_EQ(data, reinterpret_cast<BYTE*>(&code));
  EXPECT_EQ(count, 5u);

  t.root.SetKeyString("Huge_BinCount", "2000000000");
  t.root.SetKeyString("Huge_BinVal0", "AB");
  ReadBinary(t.root, "Huge", &code);
  EXPECT_EQ(code, Node::ptnKeyMissing);

  ASSERT_EQ(WriteBinary(t.root, "Empty", ""), 0u);
  ReadBinary(t.root, "Empty", &code);
  EXPECT_EQ(code, Node::ptnFailed);
  t.root.SetKeyString("Odd", "Q");
  ReadBinary(t.root, "Odd", &code);
  EXPECT_EQ(code, Node::ptnFailed);
  ReadBinary(t.root, "None", &code);
  EXPECT_EQ(code, Node::ptnKeyMissing);
  t.root.SetKeyString("Zero_BinCount", "0");
  ReadBinary(t.root, "Zero", &code);
  EXPECT_EQ(code, Node::ptnFailed);
}

TEST(PTNFactory, CreatesKeepsAndDestroysNodes) {
  Tree t;
  SECPTNFactory factory;
  Node* a = factory.CreateNode("A", &t.root);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetParent(), &t.root);
  EXPECT_EQ(factory.CreateNode("A", &t.root), nullptr);
  EXPECT_EQ(factory.CreateNode("", nullptr), nullptr);
  EXPECT_EQ(factory.GetCount(), 1);
  EXPECT_EQ(factory.CreateNode("X", nullptr, RUNTIME_CLASS(CObList)), nullptr);
  EXPECT_EQ(factory.GetCount(), 1);

  Node stranger;
  EXPECT_FALSE(factory.DestroyObject(nullptr));
  EXPECT_FALSE(factory.DestroyObject(&stranger));
  EXPECT_TRUE(factory.DestroyObject(a));
  EXPECT_EQ(factory.GetCount(), 0);
  EXPECT_EQ(t.root.FindChild("A"), nullptr) << "a destroyed child leaves its parent's list";
  CStringList names;
  t.root.GetChildNames(names);
  EXPECT_TRUE(names.IsEmpty());
}

TEST(PTNFactory, NodesOutliveOrFollowTheirParentSafely) {
  SECPTNFactory outside;
  Node* survivor = nullptr;
  {
    Tree t;
    Node* owned = t.root.GetFactory().CreateNode("Owned", &t.root);
    ASSERT_NE(owned, nullptr);
    ASSERT_NE(owned->GetFactory().CreateNode("Grandchild", owned), nullptr);
    survivor = outside.CreateNode("Attached", &t.root);
    ASSERT_NE(survivor, nullptr);
  }
  EXPECT_EQ(survivor->GetParent(), nullptr);
  CStringList path;
  survivor->GetPath(path);
  EXPECT_EQ(path.GetCount(), 1);
}

}  // namespace
