#include "platform/ui/dropfiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include <QWidget>

#include "platform/ui/wnd_obj.h"
#include "platform/ui/message.h"
#include "platform/ui/window.h"
#include "platform/base/rect_api.h"

namespace {

struct DropRecord {
  std::vector<std::string> paths;
  POINT point{};
  BOOL inClient = FALSE;
};

// Drops not finished yet; a handle not in here is refused.
std::mutex& DropMutex() {
  static std::mutex m;
  return m;
}
std::vector<std::unique_ptr<DropRecord>>& DropRecords() {
  static std::vector<std::unique_ptr<DropRecord>> records;
  return records;
}

DropRecord* DropFind(HDROP h) {
  for (auto& r : DropRecords())
    if (reinterpret_cast<HDROP>(r.get()) == h) return r.get();
  return nullptr;
}

}  // namespace

void DragAcceptFiles(HWND hWnd, BOOL fAccept) {
  if (!IsWindow(hWnd)) return;
  LONG_PTR ex = GetWindowLongPtr(hWnd, GWL_EXSTYLE);
  ex = fAccept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~static_cast<LONG_PTR>(WS_EX_ACCEPTFILES));
  SetWindowLongPtr(hWnd, GWL_EXSTYLE, ex);
  // Qt offers drops to the top-level widget and its children alike.
  for (HWND h = hWnd; h; h = GetParent(h))
    if (QWidget* w = mirt_ui::WidgetOf(h)) w->setAcceptDrops(true);
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch) {
  std::lock_guard<std::mutex> lock(DropMutex());
  DropRecord* r = DropFind(hDrop);
  if (!r) return 0;
  if (iFile == 0xFFFFFFFF) return static_cast<UINT>(r->paths.size());
  if (iFile >= r->paths.size()) return 0;
  const std::string& path = r->paths[iFile];
  if (!lpszFile) return static_cast<UINT>(path.size());
  if (cch == 0) return 0;
  size_t n = std::min<size_t>(path.size(), cch - 1);
  std::memcpy(lpszFile, path.data(), n);
  lpszFile[n] = '\0';
  return static_cast<UINT>(n);
}

BOOL DragQueryPoint(HDROP hDrop, POINT* lppt) {
  std::lock_guard<std::mutex> lock(DropMutex());
  DropRecord* r = DropFind(hDrop);
  if (!r || !lppt) return FALSE;
  *lppt = r->point;
  return r->inClient;
}

void DragFinish(HDROP hDrop) {
  std::lock_guard<std::mutex> lock(DropMutex());
  auto& records = DropRecords();
  records.erase(std::remove_if(records.begin(), records.end(),
                               [&](const auto& r) { return reinterpret_cast<HDROP>(r.get()) == hDrop; }),
                records.end());
}

namespace mirt_ui {

BOOL DropFiles(HWND hwnd, const std::vector<std::string>& paths, POINT point) {
  HWND target = hwnd;
  while (target && !(GetWindowLongPtr(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) {
    HWND parent = GetParent(target);
    if (parent) MapWindowPoints(target, parent, &point, 1);
    target = parent;
  }
  if (!target || paths.empty()) return FALSE;
  auto record = std::make_unique<DropRecord>();
  record->paths = paths;
  record->point = point;
  RECT client{};
  GetClientRect(target, &client);
  record->inClient = PtInRect(&client, point);
  HDROP h = reinterpret_cast<HDROP>(record.get());
  {
    std::lock_guard<std::mutex> lock(DropMutex());
    DropRecords().push_back(std::move(record));
  }
  PostMessage(target, WM_DROPFILES, reinterpret_cast<WPARAM>(h), 0);
  return TRUE;
}

}  // namespace mirt_ui
