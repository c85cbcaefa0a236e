// The project tree of the project bar: the project's name as root, with a
// group each for sources, header, libraries and object files, and the
// installation file. A double click opens a file, the Delete key takes it
// out of the project; both go to the tree's owner.
#pragma once

#include "platform/ui/afxcmn.h"
#include "platform/ui/imagelist.h"

// What the tree and the project bar ask of the frame that holds them.
class CProjectTreeOwner {
 public:
  virtual ~CProjectTreeOwner() = default;
  // Adds a file given by its full path to the project and the tree.
  virtual void AddFileToProject(const char* path) = 0;
  // Opens the file by its name as the project stores it (no caret move).
  virtual void OpenProjectFile(const char* name) = 0;
  // Takes the file out of the project's lists.
  virtual void RemoveFileFromProject(const char* name) = 0;
};

// Kinds kept as each item's data.
enum ProjectItemKind : DWORD_PTR {
  kItemSource = 1,
  kItemHeader = 2,
  kItemGroup = 3,    // the root or a group
  kItemLibrary = 4,  // libraries, object and other files
  kItemInstallation = 5,
};

// Images of the tree's image list.
enum ProjectItemImage : int {
  kImageGroupClosed = 0,
  kImageSource = 1,
  kImageFile = 2,  // library, object or installation file
  kImageGroupOpen = 3,
  kImageHeader = 4,
};

class CProjectTree : public CTreeCtrl {
 public:
  // The tree control's id in the project bar.
  static constexpr UINT kControlId = 3097;

  CProjectTree();
  ~CProjectTree() override;

  void SetOwner(CProjectTreeOwner* owner) { m_owner = owner; }

  // Deletes every item and forgets the root and the groups.
  void ClearTree();
  // Inserts the root with the project's name as the last top-level item.
  HTREEITEM SetProjectItem(LPCSTR name);
  HTREEITEM AddSourceItem(LPCSTR name);
  HTREEITEM AddLibraryItem(LPCSTR name);
  HTREEITEM AddInstallationItem(LPCSTR name);
  HTREEITEM AddHeaderItem(LPCSTR name);
  // Deletes the installation-file group with its item.
  void RemoveInstallationGroup();

  HTREEITEM RootItem() const { return m_root; }

  // Events, also reachable by tests: a double click on the selected item,
  // an item expanded or collapsed, the Delete key on the selected item.
  void OpenSelectedItem();
  void ItemExpanded(HTREEITEM item, BOOL expanded);
  void DeleteSelectedItem();

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult) override;

 private:
  // The group named `text`, made (with the root) when missing.
  HTREEITEM Group(HTREEITEM& group, LPCSTR text);
  HTREEITEM AddItem(HTREEITEM& group, LPCSTR groupText, LPCSTR name, int image, ProjectItemKind kind);
  HTREEITEM Insert(LPCSTR text, int image, ProjectItemKind kind, HTREEITEM parent);
  void AttachImages();
  // Forgets the root and the groups that lie in the deleted item's branch.
  void ForgetDeleted(HTREEITEM item);

  CImageList m_images;
  HTREEITEM m_root = nullptr;
  HTREEITEM m_sources = nullptr;
  HTREEITEM m_headers = nullptr;
  HTREEITEM m_libraries = nullptr;
  HTREEITEM m_installation = nullptr;
  CProjectTreeOwner* m_owner = nullptr;
};
