// The tree nodes on their own: links, walks, the hidden level and freeing.
#include <gtest/gtest.h>

#include <vector>

#include "controls/sec_tree_node.h"

namespace {

// A counting node: tells how many are alive.
struct CountedNode : SECTreeNodeX {
  static inline int alive = 0;
  CountedNode() { ++alive; }
  ~CountedNode() override { --alive; }
};

// root -> A, B; A -> A1, A2; B -> B1.
struct HiddenLevelTree {
  SECTreeNodeX root;
  SECTreeNodeX* a = new SECTreeNodeX;
  SECTreeNodeX* b = new SECTreeNodeX;
  SECTreeNodeX* a1 = new SECTreeNodeX;
  SECTreeNodeX* a2 = new SECTreeNodeX;
  SECTreeNodeX* b1 = new SECTreeNodeX;
  HiddenLevelTree() {
    root.AddChild(a, SECTreeNode::kLast);
    root.AddChild(b, SECTreeNode::kLast);
    a->AddChild(a1, SECTreeNode::kLast);
    a->AddChild(a2, SECTreeNode::kLast);
    b->AddChild(b1, SECTreeNode::kLast);
  }
};

TEST(TreeNode, NewItemNodeIsCollapsedWithoutImages) {
  _Node node;
  EXPECT_FALSE(node.IsExpanded());
  EXPECT_EQ(node.m_item.iImage, kSECTreeNoImage);
  EXPECT_EQ(node.m_item.iSelectedImage, kSECTreeNoImage);
  node.SetExpanded(TRUE);
  EXPECT_TRUE(node.IsExpanded());
  EXPECT_EQ(node.m_item.state, static_cast<UINT>(TVIS_EXPANDED));
}

TEST(TreeNode, AddChildLinksFirstLastAfterAndRefusesAStranger) {
  SECTreeNode parent;
  auto* first = new SECTreeNode;
  auto* last = new SECTreeNode;
  auto* middle = new SECTreeNode;
  SECTreeNode stranger;
  // Under a parent without children a sibling pointer still links the only child.
  EXPECT_TRUE(parent.AddChild(last, &stranger));
  EXPECT_TRUE(parent.AddChild(first, SECTreeNode::kFirst));
  EXPECT_TRUE(parent.AddChild(middle, first));
  auto* refused = new SECTreeNode;
  EXPECT_FALSE(parent.AddChild(refused, &stranger));
  delete refused;
  std::vector<SECTreeNode*> chain;
  for (SECTreeNode* n = parent.GetFirstChildNode(); n; n = n->GetNextSiblingNode()) chain.push_back(n);
  EXPECT_EQ(chain, (std::vector<SECTreeNode*>{first, middle, last}));
  EXPECT_EQ(last->GetPrevSiblingNode(), middle);
  EXPECT_EQ(parent.GetLastChild(), last);
}

TEST(TreeNode, HiddenLevelJoinsTheGrandchildrenIntoOneChain) {
  HiddenLevelTree t;
  t.a1->SetHiddenLevel(1);
  EXPECT_EQ(t.root.GetHiddenLevel(), 1);
  EXPECT_EQ(t.root.GetFirstChildNode(), t.a1);
  EXPECT_EQ(t.a1->GetNextSiblingNode(), t.a2);
  EXPECT_EQ(t.a2->GetNextSiblingNode(), t.b1);
  EXPECT_EQ(t.b1->GetNextSiblingNode(), nullptr);
  EXPECT_EQ(t.b1->GetPrevSiblingNode(), t.a2);
  EXPECT_EQ(t.b1->GetParentNode(), &t.root);
  EXPECT_EQ(t.b1->GetDepth(), 1);
  EXPECT_EQ(t.b1->GetStoredDepth(), 2);
}

TEST(TreeNode, PreOrderWalksVisitEveryNodeOnceBothWays) {
  HiddenLevelTree t;
  const std::vector<SECTreeNode*> expected{&t.root, t.a, t.a1, t.a2, t.b, t.b1};
  std::vector<SECTreeNode*> forward;
  for (SECTreeNode* n = &t.root; n; n = n->GetNextInOrder()) forward.push_back(n);
  EXPECT_EQ(forward, expected);
  std::vector<SECTreeNode*> backward;
  for (SECTreeNode* n = t.root.GetLastDescendant(); n; n = n->GetPrevInOrder()) backward.push_back(n);
  EXPECT_EQ(backward, std::vector<SECTreeNode*>(expected.rbegin(), expected.rend()));
  EXPECT_TRUE(t.root.IsAncestorOf(t.b1));
  EXPECT_FALSE(t.a->IsAncestorOf(t.b1));
  EXPECT_FALSE(t.a->IsAncestorOf(t.a));
}

TEST(TreeNode, MoveUpSwapsWithThePreviousSiblingAndDetachUnlinks) {
  HiddenLevelTree t;
  t.b->MoveUp();
  EXPECT_EQ(t.root.GetFirstChildNode(), t.b);
  EXPECT_EQ(t.b->GetNextSiblingNode(), t.a);
  EXPECT_EQ(t.a->GetPrevSiblingNode(), t.b);
  t.a2->MoveUp();
  EXPECT_EQ(t.a->GetFirstChildNode(), t.a2);
  t.b->Detach();
  EXPECT_EQ(t.root.GetFirstChildNode(), t.a);
  EXPECT_EQ(t.a->GetPrevSiblingNode(), nullptr);
  EXPECT_EQ(t.b->m_pParent, nullptr);
  delete t.b;
}

TEST(TreeNode, DeepChainIsFreedWithoutRecursion) {
  constexpr int kChainDepth = 100000;
  CountedNode::alive = 0;
  auto* top = new CountedNode;
  SECTreeNode* tip = top;
  for (int i = 0; i < kChainDepth; ++i) {
    auto* child = new CountedNode;
    tip->AddChild(child, SECTreeNode::kLast);
    tip = child;
  }
  EXPECT_EQ(CountedNode::alive, kChainDepth + 1);
  delete top;
  EXPECT_EQ(CountedNode::alive, 0);
}

}  // namespace
