#include "app/project_tree.h"

#include <cstdint>
#include <vector>

#include "platform/base/winctrl.h"
#include "platform/base/winuser.h"
#include "platform/ui/gdi.h"
#include "platform/ui/resources.h"

namespace {

// Icon resources of the images, in image order.
constexpr UINT kProjectTreeIcons[] = {136, 137, 138, 139, 153};
constexpr int kProjectTreeIconSize = 16;
constexpr int kProjectTreeImageGrowth = 8;
// Longest item text a double click reads.
constexpr int kProjectTreeTextMax = 1024;

constexpr const char* kProjectTreeUnknownProject = "unknown project";
constexpr const char* kProjectTreeSourcesGroup = "Sources";
constexpr const char* kProjectTreeHeaderGroup = "Header";
constexpr const char* kProjectTreeLibraryGroup = "Libraries/OBJs";
constexpr const char* kProjectTreeInstallationGroup = "Installation file";

// Drawn images for icons the resources lack: a folder (closed, open) or a
// page with lines in the image's colour. Pixels are 0x00RRGGBB.
HBITMAP DrawProjectTreeImage(int image) {
  constexpr int n = kProjectTreeIconSize;
  constexpr uint32_t kFolder = 0xE8C050, kFolderOpen = 0xF4DC8C, kPage = 0xFFFFFF, kEdge = 0x606060;
  constexpr uint32_t kBack = 0xFFFFFF;
  uint32_t lines = image == kImageSource ? 0x2050C0 : image == kImageHeader ? 0x20A040 : 0x909090;
  std::vector<uint32_t> px(n * n, kBack);
  auto at = [&](int x, int y) -> uint32_t& { return px[static_cast<size_t>(y * n + x)]; };
  bool folder = image == kImageGroupClosed || image == kImageGroupOpen;
  for (int y = 2; y < n - 2; ++y)
    for (int x = folder ? 1 : 3; x < (folder ? n - 1 : n - 3); ++x) {
      bool edge = y == 2 || y == n - 3 || x == (folder ? 1 : 3) || x == (folder ? n - 2 : n - 4);
      uint32_t fill = folder ? (image == kImageGroupOpen ? kFolderOpen : kFolder) : kPage;
      if (!folder && !edge && y % 3 == 0 && x > 4 && x < n - 5) fill = lines;
      at(x, y) = edge ? kEdge : fill;
    }
  return CreateBitmap(n, n, 1, 32, px.data());
}

}  // namespace

CProjectTree::CProjectTree() {
  constexpr int kCount = static_cast<int>(sizeof kProjectTreeIcons / sizeof kProjectTreeIcons[0]);
  m_images.Create(kProjectTreeIconSize, kProjectTreeIconSize, ILC_COLOR32 | ILC_MASK, 0,
                  kProjectTreeImageGrowth);
  // Every image has its place, also when an icon is missing.
  m_images.SetImageCount(kCount);
  for (int i = 0; i < kCount; ++i) {
    if (HICON icon = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(kProjectTreeIcons[i]))) {
      m_images.Replace(i, icon);
    } else if (HBITMAP drawn = DrawProjectTreeImage(i)) {
      ImageList_Replace(m_images.GetSafeHandle(), i, drawn, nullptr);
      DeleteObject(drawn);
    }
  }
}

CProjectTree::~CProjectTree() {
  if (m_hWnd) DestroyWindow();
}

void CProjectTree::ClearTree() {
  if (m_hWnd) DeleteAllItems();
  m_root = m_sources = m_headers = m_libraries = m_installation = nullptr;
}

void CProjectTree::AttachImages() {
  if (m_hWnd && GetImageList(TVSIL_NORMAL) == nullptr) SetImageList(&m_images, TVSIL_NORMAL);
}

HTREEITEM CProjectTree::Insert(LPCSTR text, int image, ProjectItemKind kind, HTREEITEM parent) {
  if (!m_hWnd) return nullptr;
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, text, image, image, 0, 0, kind,
                    parent, TVI_LAST);
}

HTREEITEM CProjectTree::SetProjectItem(LPCSTR name) {
  AttachImages();
  m_root = Insert(name, kImageGroupClosed, kItemGroup, TVI_ROOT);
  return m_root;
}

HTREEITEM CProjectTree::Group(HTREEITEM& group, LPCSTR text) {
  if (!m_root) SetProjectItem(kProjectTreeUnknownProject);
  if (!group) group = Insert(text, kImageGroupClosed, kItemGroup, m_root);
  return group;
}

HTREEITEM CProjectTree::AddItem(HTREEITEM& group, LPCSTR groupText, LPCSTR name, int image,
                                ProjectItemKind kind) {
  return Insert(name, image, kind, Group(group, groupText));
}

HTREEITEM CProjectTree::AddSourceItem(LPCSTR name) {
  return AddItem(m_sources, kProjectTreeSourcesGroup, name, kImageSource, kItemSource);
}

HTREEITEM CProjectTree::AddLibraryItem(LPCSTR name) {
  return AddItem(m_libraries, kProjectTreeLibraryGroup, name, kImageFile, kItemLibrary);
}

HTREEITEM CProjectTree::AddInstallationItem(LPCSTR name) {
  return AddItem(m_installation, kProjectTreeInstallationGroup, name, kImageFile, kItemInstallation);
}

HTREEITEM CProjectTree::AddHeaderItem(LPCSTR name) {
  return AddItem(m_headers, kProjectTreeHeaderGroup, name, kImageHeader, kItemHeader);
}

void CProjectTree::RemoveInstallationGroup() {
  if (m_installation && m_hWnd) DeleteItem(m_installation);
  m_installation = nullptr;
}

void CProjectTree::OpenSelectedItem() {
  HTREEITEM item = GetSelectedItem();
  if (!item || !m_owner) return;
  char text[kProjectTreeTextMax + 1] = {};
  TVITEM tv = {};
  tv.mask = TVIF_TEXT | TVIF_PARAM;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = kProjectTreeTextMax;
  if (!GetItem(&tv)) return;
  if (tv.lParam == kItemSource || tv.lParam == kItemHeader || tv.lParam == kItemInstallation)
    m_owner->OpenProjectFile(text);
}

void CProjectTree::ItemExpanded(HTREEITEM item, BOOL expanded) {
  int image = expanded ? kImageGroupOpen : kImageGroupClosed;
  SetItemImage(item, image, image);
}

void CProjectTree::ForgetDeleted(HTREEITEM item) {
  if (item == m_root) {
    m_root = m_sources = m_headers = m_libraries = m_installation = nullptr;
    return;
  }
  for (HTREEITEM* group : {&m_sources, &m_headers, &m_libraries, &m_installation})
    if (*group == item) *group = nullptr;
}

void CProjectTree::DeleteSelectedItem() {
  HTREEITEM item = GetSelectedItem();
  if (!item) return;
  CString text = GetItemText(item);
  BOOL isFile = GetItemData(item) != kItemGroup;
  DeleteItem(item);
  // A group or the root goes from the tree only; the next add makes it again.
  ForgetDeleted(item);
  if (isFile && m_owner) m_owner->RemoveFileFromProject(text);
}

BOOL CProjectTree::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult) {
  if (message != WM_NOTIFY) return CTreeCtrl::OnChildNotify(message, wParam, lParam, pLResult);
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  switch (header->code) {
    case NM_DBLCLK:
      OpenSelectedItem();
      return TRUE;
    case TVN_ITEMEXPANDED: {
      auto* tv = reinterpret_cast<NMTREEVIEW*>(lParam);
      ItemExpanded(tv->itemNew.hItem, (tv->action & TVE_EXPAND) != 0);
      return TRUE;
    }
    case TVN_KEYDOWN:
      if (reinterpret_cast<NMTVKEYDOWN*>(lParam)->wVKey != VK_DELETE) return FALSE;
      DeleteSelectedItem();
      if (pLResult) *pLResult = 1;
      return TRUE;
    default:
      return FALSE;
  }
}
