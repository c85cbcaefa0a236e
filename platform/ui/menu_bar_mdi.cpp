// The maximised MDI child's icon and buttons on its frame's menu bar.
#include "platform/ui/menu_bar_mdi.h"

#include "platform/ui/caption.h"
#include "platform/ui/gdi.h"
#include "platform/ui/menu.h"
#include "platform/ui/paint.h"
#include "platform/ui/message.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {
namespace {

constexpr auto kMdiClientClass = "MDICLIENT";
constexpr int kMdiBarGap = 2;  // around the buttons and before the close button

HWND MaximisedChild(const Wnd& frame) {
  for (HWND c : frame.children) {
    auto w = Find(c);
    if (!w || !w->cls || w->cls->name != kMdiClientClass) continue;
    BOOL maximised = FALSE;
    HWND active =
        reinterpret_cast<HWND>(SendMessage(c, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
    return maximised && IsWindowVisible(active) ? active : nullptr;
  }
  return nullptr;
}

struct MdiBarPress {
  const MdiBarParts* parts;
  UINT hit;
};

void PaintMdiBarPress(HWND frame, CaptionPress press, void* context) {
  auto* p = static_cast<MdiBarPress*>(context);
  HDC dc = GetWindowDC(frame);
  if (!dc) return;
  PaintMdiBarParts(dc, *p->parts, press == CaptionPress::kDown ? p->hit : 0);
  ReleaseDC(frame, dc);
}

}  // namespace

MdiBarParts MdiBarPartsOf(const Wnd& frame, const RECT& bar) {
  MdiBarParts parts;
  parts.child = MaximisedChild(frame);
  if (!parts.child) return parts;
  int h = bar.bottom - bar.top - 2 * kMdiBarGap;
  int cx = GetSystemMetrics(SM_CXMENUSIZE) - kMdiBarGap;
  int top = bar.top + kMdiBarGap;
  parts.close = RECT{bar.right - kMdiBarGap - cx, top, bar.right - kMdiBarGap, top + h};
  parts.restore = RECT{parts.close.left - kMdiBarGap - cx, top, parts.close.left - kMdiBarGap, top + h};
  parts.minimize = RECT{parts.restore.left - cx, top, parts.restore.left, top + h};
  int icon = GetSystemMetrics(SM_CXSMICON);
  int y = bar.top + (bar.bottom - bar.top - icon) / 2;
  parts.icon = RECT{bar.left + kMdiBarGap, y, bar.left + kMdiBarGap + icon, y + icon};
  return parts;
}

void PaintMdiBarParts(HDC dc, const MdiBarParts& parts, UINT pressed) {
  if (!parts.child) return;
  DrawIconEx(dc, parts.icon.left, parts.icon.top, CaptionIcon(parts.child),
             parts.icon.right - parts.icon.left, parts.icon.bottom - parts.icon.top, 0, nullptr, DI_NORMAL);
  DWORD style = static_cast<DWORD>(GetWindowLong(parts.child, GWL_STYLE));
  const struct {
    const RECT* rect;
    UINT hit;
  } buttons[] = {{&parts.minimize, HTMINBUTTON}, {&parts.restore, HTMAXBUTTON}, {&parts.close, HTCLOSE}};
  for (const auto& b : buttons) {
    RECT r = *b.rect;
    DrawFrameControl(dc, &r, DFC_CAPTION,
                     CaptionButtonState(style, b.hit) | (pressed == b.hit ? DFCS_PUSHED : 0));
  }
}

bool PressMdiBarPart(HWND frame, const MdiBarParts& parts, POINT p) {
  if (!parts.child) return false;
  auto w = Find(frame);
  if (!w) return false;
  QPoint org = WindowOriginOnScreen(*w);
  if (PtInRect(&parts.icon, p)) {
    TrackPopupMenuEx(GetSystemMenu(parts.child, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN,
                     org.x() + parts.icon.left, org.y() + parts.icon.bottom + kMdiBarGap, parts.child,
                     nullptr);
    return true;
  }
  const struct {
    const RECT* rect;
    UINT hit;
  } buttons[] = {{&parts.minimize, HTMINBUTTON}, {&parts.restore, HTMAXBUTTON}, {&parts.close, HTCLOSE}};
  for (const auto& b : buttons) {
    if (!PtInRect(b.rect, p)) continue;
    RECT onScreen = *b.rect;
    OffsetRect(&onScreen, org.x(), org.y());
    HWND child = parts.child;
    WPARAM command = CaptionButtonCommand(static_cast<DWORD>(GetWindowLong(child, GWL_STYLE)), b.hit);
    MdiBarPress press{&parts, b.hit};
    if (TrackCaptionButton(frame, onScreen, PaintMdiBarPress, &press) && command && IsWindow(child))
      SendMessage(child, WM_SYSCOMMAND, command, 0);
    return true;
  }
  return false;
}

}  // namespace mirt_ui
