#include "framework/sec_bmp_menu_plug_in.h"

#include <iterator>

#include "framework/sec_bmp_menu_rules.h"
#include "framework/sec_bmp_mgr.h"
#include "framework/sec_btn_draw_data.h"
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
// The program's own check mark, used with own check bitmaps.
constexpr INT_PTR kSECBmpMenuCheckResource = 20525;
// Ternary raster operations through a mask: the pattern where the mask is
// black (the image), and where it is white (the background).
constexpr DWORD kSECBmpMenuRopOnImage = 0xB8074A;
constexpr DWORD kSECBmpMenuRopOnBackground = 0xE20746;
// The radio dot: a 16 x 15 monochrome bitmap, white, with a black dot whose
// rows 4-8 are these 4-bit patterns in columns 6-9.
constexpr int kSECRadioWidth = 16;
constexpr int kSECRadioHeight = 15;
constexpr int kSECRadioFirstRow = 4;
constexpr int kSECRadioFirstColumn = 6;
constexpr BYTE kSECRadioRows[] = {0x06, 0x0F, 0x0F, 0x0F, 0x06};

HBITMAP SECBmpMenuMakeRadioDot() {
  WORD rows[kSECRadioHeight];
  for (WORD& row : rows) row = 0xFFFF;
  for (int r = 0; r < static_cast<int>(std::size(kSECRadioRows)); ++r)
    for (int k = 0; k < 4; ++k)
      if (kSECRadioRows[r] & (0x8 >> k))
        rows[kSECRadioFirstRow + r] &= ~(0x8000 >> (kSECRadioFirstColumn + k));
  // Rows are stored high byte first.
  BYTE bits[kSECRadioHeight * 2];
  for (int r = 0; r < kSECRadioHeight; ++r) {
    bits[2 * r] = static_cast<BYTE>(rows[r] >> 8);
    bits[2 * r + 1] = static_cast<BYTE>(rows[r] & 0xFF);
  }
  return ::CreateBitmap(kSECRadioWidth, kSECRadioHeight, 1, 1, bits);
}

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
  if (m_bOwnCheckBitmaps) {
    m_hRadio = SECBmpMenuMakeRadioDot();
    m_hCheck = ::CreateMappedBitmap(AfxGetResourceHandle(), kSECBmpMenuCheckResource, 0, nullptr, 0);
  }
  m_pBmpMgr = new SECBmpMgr;
  m_pBmpMgr->SetKeepBoth(TRUE);
  m_sizeImage = m_pBmpMgr->GetSmallSize();
}

void SECBmpMenuPlugIn::SetBmpMgr(SECBmpMgr* pBmpMgr) {
  if (!pBmpMgr || pBmpMgr == m_pBmpMgr) return;
  ReleaseStrip();
  pBmpMgr->AddRef();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = pBmpMgr;
  m_pBmpMgr->SetKeepBoth(TRUE);
  m_sizeImage = m_pBmpMgr->GetSmallSize();
}

void SECBmpMenuPlugIn::FreeBitmaps() {
  ReleaseStrip();
  if (m_hDither) ::DeleteObject(m_hDither);
  m_hDither = nullptr;
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
  FreeBitmaps();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  if (m_hCheck) ::DeleteObject(m_hCheck);
  if (m_hRadio) ::DeleteObject(m_hRadio);
}

void SECBmpMenuPlugIn::ReadColors() {
  m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
  m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
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

int SECBmpMenuPlugIn::GetItemImage(UINT nID, CDC*& pStrip, CSize& size) {
  pStrip = nullptr;
  size = m_sizeImage;
  HBITMAP strip = nullptr;
  int index = -1;
  if (!m_pBmpMgr || !m_pBmpMgr->GetImage(nID, strip, index, TRUE) || !strip) return -1;
  if (!m_dcStrip.GetSafeHdc() && !m_dcStrip.CreateCompatibleDC(nullptr)) return -1;
  ReleaseStrip();
  m_hOldStrip = m_dcStrip.SelectObject(strip);
  pStrip = &m_dcStrip;
  return index;
}

void SECBmpMenuPlugIn::ReleaseStrip() {
  if (m_hOldStrip) m_dcStrip.SelectObject(m_hOldStrip);
  m_hOldStrip = nullptr;
}

HBITMAP SECBmpMenuPlugIn::CheckBitmap(const MENUITEMINFO& mii, BOOL bChecked) {
  if (!bChecked) return mii.hbmpUnchecked;
  if (mii.hbmpChecked) return mii.hbmpChecked;
  if (!m_bOwnCheckBitmaps) return nullptr;
  return (mii.fType & MFT_RADIOCHECK) && m_hRadio ? m_hRadio : m_hCheck;
}

BOOL SECBmpMenuPlugIn::CreateMask(CDC* pSrcDC, CDC& maskDC, CBitmap& maskBitmap, HGDIOBJ& hOld, int nWidth,
                                  int nHeight, int nSrcX) {
  if (!maskDC.CreateCompatibleDC(pSrcDC) || !maskBitmap.CreateBitmap(nWidth, nHeight, 1, 1, nullptr))
    return FALSE;
  hOld = maskDC.SelectObject(maskBitmap.m_hObject);
  // White where the image shows the face colour, then also where it shows the highlight.
  const COLORREF oldBk = pSrcDC->SetBkColor(m_clrBtnFace);
  maskDC.BitBlt(0, 0, nWidth, nHeight, pSrcDC, nSrcX, 0, SRCCOPY);
  pSrcDC->SetBkColor(m_clrBtnHilite);
  maskDC.BitBlt(0, 0, nWidth, nHeight, pSrcDC, nSrcX, 0, SRCPAINT);
  pSrcDC->SetBkColor(oldBk);
  return TRUE;
}

namespace {
// Paints a brush through a mask onto `pDC` with a mask raster operation.
void SECBmpMenuMaskBlt(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC& maskDC, HBRUSH brush,
                       DWORD rop) {
  const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
  const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
  HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), brush);
  pDC->BitBlt(x, y, nWidth, nHeight, &maskDC, 0, 0, rop);
  ::SelectObject(pDC->GetSafeHdc(), old);
  pDC->SetTextColor(oldText);
  pDC->SetBkColor(oldBk);
}
}  // namespace

void SECBmpMenuPlugIn::DrawDisabledImage(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC,
                                         int nSrcX) {
  CDC maskDC;
  CBitmap mask;
  HGDIOBJ old = nullptr;
  if (!CreateMask(pSrcDC, maskDC, mask, old, nWidth, nHeight, nSrcX)) return;
  HBRUSH hilite = ::CreateSolidBrush(m_clrBtnHilite);
  HBRUSH shadow = ::CreateSolidBrush(m_clrBtnShadow);
  SECBmpMenuMaskBlt(pDC, x + 1, y + 1, nWidth, nHeight, maskDC, hilite, kSECBmpMenuRopOnImage);
  SECBmpMenuMaskBlt(pDC, x, y, nWidth, nHeight, maskDC, shadow, kSECBmpMenuRopOnImage);
  ::DeleteObject(hilite);
  ::DeleteObject(shadow);
  maskDC.SelectObject(old);
}

void SECBmpMenuPlugIn::DrawCheckedBackground(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC,
                                             int nSrcX) {
  if (!m_hDither) m_hDither = SECCreateDitherBrush();
  if (!m_hDither) return;
  CDC maskDC;
  CBitmap mask;
  HGDIOBJ old = nullptr;
  if (!CreateMask(pSrcDC, maskDC, mask, old, nWidth, nHeight, nSrcX)) return;
  SECBmpMenuMaskBlt(pDC, x, y, nWidth, nHeight, maskDC, m_hDither, kSECBmpMenuRopOnBackground);
  maskDC.SelectObject(old);
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
    const int x = box.left + 1, y = box.top + 1, srcX = nIndex * size.cx;
    if (grayed) {
      DrawDisabledImage(pDC, x, y, size.cx, size.cy, pStrip, srcX);
    } else {
      // A monochrome check mark takes the menu's text and background colours.
      const COLORREF oldText = pDC->SetTextColor(m_clrMenuText);
      const COLORREF oldBk = pDC->SetBkColor(m_clrMenu);
      pDC->BitBlt(x, y, size.cx, size.cy, pStrip, srcX, 0, SRCCOPY);
      pDC->SetTextColor(oldText);
      pDC->SetBkColor(oldBk);
      if (checked && !selected) DrawCheckedBackground(pDC, x, y, size.cx, size.cy, pStrip, srcX);
    }
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
  int index = GetItemImage(info->m_nID, strip, size);
  if (index < 0) {
    // No image: the item's check bitmaps, or the own check mark, as image 0 at their own size.
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS | MIIM_TYPE;
    ::GetMenuItemInfo(reinterpret_cast<HMENU>(lpDIS->hwndItem), lpDIS->itemID, FALSE, &mii);
    BITMAP bm{};
    HBITMAP check = CheckBitmap(mii, (lpDIS->itemState & ODS_CHECKED) != 0);
    if (check && ::GetObject(check, sizeof(bm), &bm) &&
        (m_dcStrip.GetSafeHdc() || m_dcStrip.CreateCompatibleDC(nullptr))) {
      ReleaseStrip();
      m_hOldStrip = m_dcStrip.SelectObject(check);
      strip = &m_dcStrip;
      size = CSize(bm.bmWidth, bm.bmHeight);
      index = 0;
    }
  }
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
  ReleaseStrip();
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
  ReleaseStrip();
  if (m_pBmpMgr) m_pBmpMgr->ReloadAll(TRUE);
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

void SECBmpMenuPlugIn::OnSysColorChange() {
  ReadColors();
  FreeBitmaps();
  if (m_pBmpMgr) m_pBmpMgr->ReloadAll(TRUE);
}
