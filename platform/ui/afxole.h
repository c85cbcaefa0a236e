// OLE drag and drop between windows of the program: data sources with
// global-memory formats, data objects, drop targets registered for
// windows, and the drag loop (DoDragDrop). Tests drive drags and drops
// with plat::PushDropPlan or mirt_ui::DropOn.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/globalmem.h"

typedef DWORD DROPEFFECT;
typedef WORD CLIPFORMAT;
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#define DROPEFFECT_SCROLL 0x80000000

// Initialises the drag-and-drop support (nothing to do here); TRUE.
BOOL AfxOleInit();

// The formats of a drag or of the clipboard, shared by source and target.
struct OleFormats {
  std::vector<std::pair<CLIPFORMAT, std::vector<unsigned char>>> items;
};

class COleDataObject {
 public:
  COleDataObject() = default;
  void Attach(std::shared_ptr<const OleFormats> formats) { m_formats = std::move(formats); }
  void Release() { m_formats.reset(); }
  // The clipboard's formats (CF_TEXT and the registered ones) as data.
  BOOL AttachClipboard();
  BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
  // A new global block with the data, owned by the caller; null when absent.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat) const;
  void BeginEnumFormats() { m_next = 0; }
  BOOL GetNextFormat(CLIPFORMAT* format);

 private:
  std::shared_ptr<const OleFormats> m_formats;
  size_t m_next = 0;
};

class COleDataSource : public CCmdTarget {
  DECLARE_DYNAMIC(COleDataSource)
 public:
  COleDataSource();
  ~COleDataSource() override;
  // Takes the block (freed by the source), as a format of the data.
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, const void* lpFormatEtc = nullptr);
  void Empty();
  // Runs the drag; the effect the target chose (NONE when dropped nowhere
  // or cancelled).
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT lpRectStartDrag = nullptr, void* pDropSource = nullptr);
  // Puts the formats on the clipboard.
  void SetClipboard();
  std::shared_ptr<const OleFormats> Formats() const { return m_formats; }

 private:
  std::shared_ptr<OleFormats> m_formats;
};

class COleDropTarget : public CCmdTarget {
  DECLARE_DYNAMIC(COleDropTarget)
 public:
  COleDropTarget() = default;
  ~COleDropTarget() override;
  BOOL Register(CWnd* pWnd);
  void Revoke();
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                              DROPEFFECT dropList, CPoint point);
  virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);
  HWND Window() const { return m_hWnd; }

 private:
  HWND m_hWnd = nullptr;
};

// A window class that takes drops itself (the framework's views): the
// drop target's default handlers pass the calls on to it.
class CDropHandler {
 public:
  virtual ~CDropHandler() = default;
  virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
};

namespace plat {
// The next drag (DoDragDrop) moves to `target` and drops there at `point`
// (client coordinates) with the key state; a null target cancels it.
struct DropPlan {
  HWND target = nullptr;
  POINT point{0, 0};
  DWORD keyState = 0;  // MK_CONTROL asks for a copy
};
void PushDropPlan(const DropPlan& plan);
}  // namespace plat

namespace mirt_ui {
// Drags `data` onto the registered target of `hwnd` (or of its nearest
// parent with one) and drops it: enter, over, drop; the effect.
DROPEFFECT DropOn(HWND hwnd, std::shared_ptr<const OleFormats> data, POINT clientPoint, DWORD keyState,
                  DWORD allowed);
}  // namespace mirt_ui
