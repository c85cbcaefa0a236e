#include "framework/sec_bmp_menu_plug_in.h"

#include "framework/sec_bmp_menu_rules.h"
#include "platform/base/charcase.h"
#include "platform/ui/cdc.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui.h"

namespace {
// Labels longer than this are read in part.
constexpr int kSECBmpMenuMaxText = 256;
// The accelerator ends this far from the item's right edge.
constexpr int kSECBmpMenuAccelGap = 23;
// The image box is this much wider and taller than the image.
constexpr int kSECBmpMenuImageBox = 4;

CString SECItemText(HMENU hMenu, int nPos) {
  char text[kSECBmpMenuMaxText + 1] = {};
  ::GetMenuString(hMenu, nPos, text, sizeof(text), MF_BYPOSITION);
  return text;
}
}  // namespace

IMPLEMENT_DYNAMIC(SECBmpMenuItemInfo, CObject)
IMPLEMENT_DYNAMIC(SECBmpMenuPlugIn, SECWndPlugIn)

BEGIN_MESSAGE_MAP(SECBmpMenuPlugIn, SECWndPlugIn)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_SETTINGCHANGE()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

SECBmpMenuPlugIn::SECBmpMenuPlugIn(BOOL bOwnCheckBitmaps) : m_bOwnCheckBitmaps(bOwnCheckBitmaps) {
  ReadColors();
}

SECBmpMenuPlugIn::~SECBmpMenuPlugIn() {
  for (POSITION pos = m_mapMenus.GetStartPosition(); pos;) {
    HMENU menu = nullptr;
    MenuRecord* record = nullptr;
    m_mapMenus.GetNextAssoc(pos, menu, record);
    if (::IsMenu(record->hMenu)) Restore(*record);
    for (SECBmpMenuItemInfo* info : record->items) delete info;
    delete record;
  }
}

void SECBmpMenuPlugIn::ReadColors() {
  m_clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
  m_clrMenu = ::GetSysColor(COLOR_MENU);
  m_clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
  m_clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  m_clrMenuText = ::GetSysColor(COLOR_MENUTEXT);
  m_clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
}

SECBmpMenuPlugIn::MenuRecord* SECBmpMenuPlugIn::FindRecord(HMENU hMenu) const {
  MenuRecord* record = nullptr;
  m_mapMenus.Lookup(hMenu, record);
  return record;
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::FindInfo(const MenuRecord& record, ULONG_PTR data) const {
  for (SECBmpMenuItemInfo* info : record.items) {
    if (reinterpret_cast<ULONG_PTR>(info) == data) return info;
  }
  return nullptr;
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::OurInfo(ULONG_PTR data) const {
  for (POSITION pos = m_mapMenus.GetStartPosition(); pos;) {
    HMENU menu = nullptr;
    MenuRecord* record = nullptr;
    m_mapMenus.GetNextAssoc(pos, menu, record);
    if (SECBmpMenuItemInfo* info = FindInfo(*record, data)) return info;
  }
  return nullptr;
}

int SECBmpMenuPlugIn::GetConvertedCount(HMENU hMenu) const {
  MenuRecord* record = FindRecord(hMenu);
  return record ? static_cast<int>(record->items.size()) : 0;
}

BOOL SECBmpMenuPlugIn::IsForeignItem(UINT nID) const {
  UINT id = 0;
  return m_mapForeign.Lookup(nID, id);
}

LRESULT SECBmpMenuPlugIn::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  auto menu = reinterpret_cast<HMENU>(wParam);
  if (HIWORD(lParam) || !menu) return 0;
  MenuRecord* record = FindRecord(menu);
  if (!record) {
    record = new MenuRecord;
    record->hMenu = menu;
    m_mapMenus.SetAt(menu, record);
  }
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    if (!::GetMenuItemInfo(menu, i, TRUE, &mii)) continue;
    const SECMenuItemOwner owner =
        IsForeignItem(mii.wID) ? SECMenuItemOwner::kForeign : SECMenuItemOwner::kOurs;
    if (SECBmpMenuConverts(mii.fType, mii.wID, owner)) {
      auto* info = new SECBmpMenuItemInfo;
      info->m_nID = mii.wID;
      info->m_strText = SECItemText(menu, i);
      info->m_nMnemonic = SECMenuMnemonic(info->m_strText);
      MENUITEMINFO owned{};
      owned.cbSize = sizeof(owned);
      owned.fMask = MIIM_TYPE | MIIM_DATA;
      owned.fType = (mii.fType & ~MFT_STRING) | MFT_OWNERDRAW;
      owned.dwItemData = reinterpret_cast<ULONG_PTR>(info);
      ::SetMenuItemInfo(menu, i, TRUE, &owned);
      record->items.push_back(info);
    } else if ((mii.fType & MFT_OWNERDRAW) && owner == SECMenuItemOwner::kOurs &&
               !FindInfo(*record, mii.dwItemData)) {
      m_mapForeign.SetAt(mii.wID, mii.wID);
    }
  }
  return 0;
}

CFont* SECBmpMenuPlugIn::MenuFont(BOOL bBold) {
  if (bBold) {
    if (!m_fontBold.GetSafeHandle()) CreateBoldMenuFont();
    return &m_fontBold;
  }
  if (!m_fontMenu.GetSafeHandle()) CreateMenuFont();
  return &m_fontMenu;
}

void SECBmpMenuPlugIn::CreateMenuFont() {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  m_fontMenu.CreateFontIndirect(&metrics.lfMenuFont);
}

void SECBmpMenuPlugIn::CreateBoldMenuFont() {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfMenuFont.lfWeight = FW_BOLD;
  m_fontBold.CreateFontIndirect(&metrics.lfMenuFont);
}

int SECBmpMenuPlugIn::GetItemImage(UINT, CDC*& pStrip, CSize& size) {
  pStrip = nullptr;
  size = m_sizeImage;
  return -1;
}

void SECBmpMenuPlugIn::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS->CtlType != ODT_MENU || IsForeignItem(lpMIS->itemID)) return;
  SECBmpMenuItemInfo* info = OurInfo(lpMIS->itemData);
  if (!info) return;
  CWindowDC screen(nullptr);
  CFont* old = screen.SelectObject(MenuFont(FALSE));
  CRect text(0, 0, 0, 0);
  screen.DrawText(info->m_strText, &text, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  screen.SelectObject(old);
  const CSize size = SECBmpMenuItemSize(text.Size(), m_sizeImage, ::GetSystemMetrics(SM_CYMENU));
  lpMIS->itemWidth = size.cx;
  lpMIS->itemHeight = size.cy;
  m_bHandled = TRUE;
  SetResult(TRUE);
}

void SECBmpMenuPlugIn::DrawItemImage(LPDRAWITEMSTRUCT lpDIS, CDC* pDC, CRect& rect, CDC* pStrip, int nIndex,
                                     CSize size) {
  const BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
  const BOOL checked = (lpDIS->itemState & ODS_CHECKED) != 0;
  const BOOL grayed = (lpDIS->itemState & ODS_GRAYED) != 0;
  CRect box(rect.left, rect.top, rect.left + m_sizeImage.cx + kSECBmpMenuImageBox, rect.bottom);
  rect.left = box.right;
  if (nIndex < 0 && !checked) {
    pDC->FillSolidRect(&box, selected ? m_clrHighlight : m_clrMenu);
    return;
  }
  pDC->FillSolidRect(&box, m_clrMenu);
  const int height = size.cy + kSECBmpMenuImageBox;
  box.top += (box.Height() - height) / 2;
  box.bottom = box.top + height;
  if (checked) {
    pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
  } else if (selected && !grayed) {
    pDC->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
  }
  box.DeflateRect(1, 1);
  if (nIndex >= 0 && pStrip) {
    pDC->BitBlt(box.left + 1, box.top + 1, size.cx, size.cy, pStrip, nIndex * size.cx, 0, SRCCOPY);
  } else {
    // Without an image a checked item shows its check mark.
    pDC->DrawFrameControl(&box, DFC_MENU, DFCS_MENUCHECK);
  }
}

void SECBmpMenuPlugIn::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS->CtlType != ODT_MENU || IsForeignItem(lpDIS->itemID)) return;
  if (!::IsMenu(reinterpret_cast<HMENU>(lpDIS->hwndItem))) return;
  SECBmpMenuItemInfo* info = OurInfo(lpDIS->itemData);
  if (!info) return;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  const SECMenuLabel text = SECSplitMenuLabel(info->m_strText);
  CDC* strip = nullptr;
  CSize size;
  const int index = GetItemImage(info->m_nID, strip, size);
  const BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
  const BOOL grayed = (lpDIS->itemState & ODS_GRAYED) != 0;
  CFont* old = pDC->SelectObject(MenuFont((lpDIS->itemState & ODS_DEFAULT) != 0));
  CRect rect = lpDIS->rcItem;
  rect.left += 1;
  DrawItemImage(lpDIS, pDC, rect, strip, index, size);
  pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(),
                     selected && index < 0 ? m_clrHighlight : m_clrMenu);
  rect.left += 1;
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  pDC->FillSolidRect(&rect, selected ? m_clrHighlight : m_clrMenu);
  rect.left += 1;
  rect.right -= kSECBmpMenuAccelGap;
  constexpr UINT kLabelFormat = DT_SINGLELINE | DT_VCENTER;
  constexpr UINT kAccelFormat = DT_RIGHT | DT_SINGLELINE | DT_VCENTER;
  if (!grayed) {
    pDC->SetTextColor(selected ? m_clrHighlightText : m_clrMenuText);
    pDC->DrawText(text.strLabel, &rect, kLabelFormat);
  } else if (!selected) {
    // Disabled: embossed, a highlight copy one pixel down and right first.
    pDC->SetTextColor(m_clrBtnHilite);
    CRect shifted = rect;
    shifted.OffsetRect(1, 1);
    pDC->DrawText(text.strLabel, &shifted, kLabelFormat);
    pDC->DrawText(text.strAccel, &shifted, kAccelFormat);
    pDC->SetTextColor(m_clrGrayText);
    pDC->DrawText(text.strLabel, &rect, kLabelFormat);
  } else {
    pDC->SetTextColor(m_clrMenu);
    pDC->DrawText(text.strLabel, &rect, kLabelFormat);
  }
  pDC->DrawText(text.strAccel, &rect, kAccelFormat);
  pDC->SetBkMode(oldMode);
  pDC->SelectObject(old);
  m_bHandled = TRUE;
  SetResult(TRUE);
}

LRESULT SECBmpMenuPlugIn::OnMenuChar(WPARAM wParam, LPARAM lParam) {
  auto menu = reinterpret_cast<HMENU>(lParam);
  const int wanted = mirt::ToLower1252(static_cast<unsigned char>(LOWORD(wParam)));
  std::vector<int> matches;
  int hilite = -1;
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA | MIIM_STATE;
    if (!::GetMenuItemInfo(menu, i, TRUE, &mii)) continue;
    if (mii.fState & MFS_HILITE) hilite = i;
    if (!(mii.fType & MFT_OWNERDRAW) || IsForeignItem(mii.wID)) continue;
    SECBmpMenuItemInfo* info = OurInfo(mii.dwItemData);
    if (info && info->m_nMnemonic == wanted) matches.push_back(i);
  }
  const LRESULT result = SECBmpMenuCharResult(matches, hilite);
  if (result) {
    m_bHandled = TRUE;
    SetResult(result);
  }
  return result;
}

void SECBmpMenuPlugIn::Restore(MenuRecord& record) {
  const int count = ::GetMenuItemCount(record.hMenu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_TYPE | MIIM_DATA;
    if (!::GetMenuItemInfo(record.hMenu, i, TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW)) continue;
    SECBmpMenuItemInfo* info = FindInfo(record, mii.dwItemData);
    if (!info) continue;
    MENUITEMINFO plain{};
    plain.cbSize = sizeof(plain);
    plain.fMask = MIIM_TYPE | MIIM_DATA;
    plain.fType = mii.fType & ~MFT_OWNERDRAW;
    plain.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(info->m_strText));
    plain.dwItemData = 0;
    ::SetMenuItemInfo(record.hMenu, i, TRUE, &plain);
  }
}

void SECBmpMenuPlugIn::CleanUp() {
  for (POSITION pos = m_mapMenus.GetStartPosition(); pos;) {
    HMENU menu = nullptr;
    MenuRecord* record = nullptr;
    m_mapMenus.GetNextAssoc(pos, menu, record);
    if (!::IsMenu(menu)) {
      for (SECBmpMenuItemInfo* info : record->items) delete info;
      delete record;
      m_mapMenus.RemoveKey(menu);
      continue;
    }
    // Records that no owner-drawn item of the menu carries any more.
    std::vector<SECBmpMenuItemInfo*> kept;
    const int count = ::GetMenuItemCount(menu);
    for (SECBmpMenuItemInfo* info : record->items) {
      BOOL carried = FALSE;
      for (int i = 0; i < count && !carried; ++i) {
        MENUITEMINFO mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_TYPE | MIIM_DATA;
        carried = ::GetMenuItemInfo(menu, i, TRUE, &mii) && (mii.fType & MFT_OWNERDRAW) &&
                  mii.dwItemData == reinterpret_cast<ULONG_PTR>(info);
      }
      if (carried) {
        kept.push_back(info);
      } else {
        delete info;
      }
    }
    record->items.swap(kept);
  }
}

LRESULT SECBmpMenuPlugIn::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  CleanUp();
  return 0;
}

void SECBmpMenuPlugIn::OnSettingChange(UINT, LPCSTR) {
  m_fontMenu.DeleteObject();
  m_fontBold.DeleteObject();
  CleanUp();
  // Each converted item is set to a plain item and back, so it is measured again.
  for (POSITION pos = m_mapMenus.GetStartPosition(); pos;) {
    HMENU menu = nullptr;
    MenuRecord* record = nullptr;
    m_mapMenus.GetNextAssoc(pos, menu, record);
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFO mii{};
      mii.cbSize = sizeof(mii);
      mii.fMask = MIIM_TYPE | MIIM_DATA;
      if (!::GetMenuItemInfo(menu, i, TRUE, &mii) || !FindInfo(*record, mii.dwItemData)) continue;
      MENUITEMINFO again = mii;
      again.fType = mii.fType & ~MFT_OWNERDRAW;
      again.dwTypeData = const_cast<LPSTR>("");
      ::SetMenuItemInfo(menu, i, TRUE, &again);
      ::SetMenuItemInfo(menu, i, TRUE, &mii);
    }
  }
}

void SECBmpMenuPlugIn::OnSysColorChange() { ReadColors(); }
