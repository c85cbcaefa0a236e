// The docking bar "Project Window" that holds the project tree. Files
// dropped on it are added to the project.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/project_tree.h"
#include "framework/sec_control_bar.h"

class CProjectControlBar : public SECControlBar {
 public:
  // The command the bar's context menu adds.
  static constexpr UINT kInsertFileCommand = 32796;

  CProjectControlBar() = default;
  ~CProjectControlBar() override;

  CProjectTree& Tree() { return m_tree; }
  // The owner of the tree and of the files dropped on the bar.
  void SetOwner(CProjectTreeOwner* owner);
  // The same, kept and deleted by the bar.
  void AdoptOwner(std::unique_ptr<CProjectTreeOwner> owner);

  // Adds the files, in the order given, through the owner.
  void AddDroppedFiles(const std::vector<std::string>& paths);
  void AddContextMenuItems(CMenu* pMenu) override;

  int OnCreate(LPCREATESTRUCT lpcs);
  void OnSize(UINT nType, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnDropFiles(HDROP hDropInfo);

 private:
  CProjectTree m_tree;
  CProjectTreeOwner* m_owner = nullptr;
  std::unique_ptr<CProjectTreeOwner> m_ownedOwner;
  DECLARE_MESSAGE_MAP()
};
