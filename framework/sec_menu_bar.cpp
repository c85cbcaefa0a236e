#include "framework/sec_menu_bar.h"

#include <cstdarg>

#include "framework/sec_doc_template_utils.h"
#include "framework/sec_mdi_child_wnd.h"
#include "framework/sec_std_btn_menu.h"
#include "framework/sec_tool_bar_manager.h"
#include "platform/base/charcase.h"
#include "platform/ui/resources.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECMenuBar, SECCustomToolBar)

namespace {
// Extended style bit a menu bar always has.
constexpr DWORD kSECMenuBarExStyle = 0x80;
}  // namespace

SECMenuBar::SECMenuBar() { CreateMenuFont(); }

SECMenuBar::~SECMenuBar() {
  if (m_hMenuFont) ::DeleteObject(m_hMenuFont);
}

void SECMenuBar::CreateMenuFont() {
  NONCLIENTMETRICS ncm{};
  ncm.cbSize = sizeof(ncm);
  if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return;
  HFONT font = ::CreateFontIndirect(&ncm.lfMenuFont);
  if (!font) return;
  if (m_hMenuFont) ::DeleteObject(m_hMenuFont);
  m_hMenuFont = font;
}

CFont* SECMenuBar::GetFont() const {
  return m_hMenuFont ? CFont::FromHandle(m_hMenuFont) : SECCustomToolBar::GetFont();
}

BOOL SECMenuBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCSTR lpszTitle) {
  return SECCustomToolBar::CreateEx(dwExStyle | kSECMenuBarExStyle, pParentWnd, dwStyle | CBRS_HIDE_INPLACE,
                                    nID, lpszTitle);
}

BOOL SECMenuBar::SetMenus(UINT nCount, UINT nID, ...) {
  std::vector<UINT> ids{nID};
  va_list args;
  va_start(args, nID);
  for (UINT i = 1; i < nCount; ++i) ids.push_back(va_arg(args, UINT));
  va_end(args);
  return SetMenus(nCount, ids.data());
}

BOOL SECMenuBar::SetMenus(UINT nCount, const UINT* lpIDs) {
  // Parse every menu first: descriptors point at titles, which must not move afterwards.
  std::vector<std::pair<UINT, std::vector<MenuTemplateItem>>> menus;
  for (UINT i = 0; lpIDs && i < nCount; ++i) {
    std::vector<MenuTemplateItem> items;
    if (LoadMenuTemplate(AfxGetResourceHandle(), MAKEINTRESOURCE(lpIDs[i]), &items))
      menus.emplace_back(lpIDs[i], std::move(items));
  }
  std::vector<SECBtnMapEntry> descs;
  std::vector<CString> titles;
  CMap<UINT, UINT, DWORD, DWORD> bits;
  DWORD bit = 1;
  for (const auto& [id, items] : menus) {
    for (size_t pos = 0; pos < items.size(); ++pos) titles.emplace_back(items[pos].text.c_str());
    bits.SetAt(id, bit);
    bit <<= 1;
  }
  if (titles.empty()) return FALSE;
  size_t title = 0;
  for (const auto& [id, items] : menus) {
    const DWORD menuBit = bits[id];
    for (size_t pos = 0; pos < items.size(); ++pos, ++title) {
      SECBtnMapEntry e{SEC_BUTTON_CLASS(SECTBMenuBtn), static_cast<UINT>(pos), SEC_MENUBAR_BTN_STYLE, {}};
      e.params[0] = id;
      e.params[1] = pos;
      e.params[2] = reinterpret_cast<UINT_PTR>(static_cast<LPCSTR>(titles[title]));
      e.params[3] = menuBit;
      e.params[4] = title;
      descs.push_back(e);
    }
  }
  descs.push_back(SECBtnMapEntry{});
  RemoveAllButtons();
  m_titles = std::move(titles);
  m_descs = std::move(descs);
  m_mapMenuBits.RemoveAll();
  for (const auto& [id, items] : menus) m_mapMenuBits.SetAt(id, bits[id]);
  // Until a menu is selected the bar shows the first one.
  if (!GetMenuBit(m_nIDCurrentMenu)) {
    m_nIDCurrentMenu = menus.front().first;
    m_dwMenuMask = bits[m_nIDCurrentMenu];
  }
  ResetButtons(m_hWnd == nullptr);
  return TRUE;
}

DWORD SECMenuBar::GetMenuBit(UINT nID) const {
  DWORD bit = 0;
  return m_mapMenuBits.Lookup(nID, bit) ? bit : 0;
}

void SECMenuBar::SetMenuBits(UINT nCount, const UINT* lpIDBitPairs) {
  m_mapMenuBits.RemoveAll();
  for (UINT i = 0; lpIDBitPairs && i < nCount; ++i)
    m_mapMenuBits.SetAt(lpIDBitPairs[2 * i], lpIDBitPairs[2 * i + 1]);
}

BOOL SECMenuBar::SelectMenu(UINT nID) {
  DWORD bit = GetMenuBit(nID);
  if (!bit && nID == kSECControlBarMDIChildID) {
    // A control bar's MDI child shows the main window's menu.
    CFrameWnd* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    SECDocTemplateUtils utils;
    if (main) bit = GetMenuBit(utils.GetFrameResourceID(main));
  }
  if (!bit) return FALSE;
  m_nIDCurrentMenu = nID;
  ShowMenuMask(bit, TRUE);
  return TRUE;
}

void SECMenuBar::ShowMenuMask(DWORD dwMask, BOOL bLayout) {
  m_dwMenuMask = dwMask;
  for (SECStdBtn* btn : m_btns) {
    if (btn->m_nType != SECBtnMenu) continue;
    const BOOL shown = (static_cast<SECTBMenuBtn*>(btn)->m_dwValue4 & dwMask) != 0;
    if (shown)
      btn->m_nStyle &= ~TBBS_HIDDEN;
    else
      btn->m_nStyle |= TBBS_HIDDEN;
  }
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  if (bLayout && m_hWnd) LayoutAndRepaint();
}

void SECMenuBar::ResetButtons(BOOL bNoLayout) {
  RemoveAllButtons();
  int nCount = 0;
  const UINT* ids = nullptr;
  if (SECToolBarManager* mgr = GetManager()) mgr->GetMenuBarButtons(nCount, ids);
  if (nCount > 0 && ids) {
    SetButtons(ids, nCount);
  } else {
    RemoveAllButtons();
    for (const SECBtnMapEntry& e : m_descs) {
      if (!e.pClass) break;
      SECStdBtn* btn = (*e.pClass)();
      btn->m_nStyle = e.nStyle;
      btn->m_nID = e.nID;
      btn->Init(this, e.params);
      btn->SetMode(m_dwOrientation);
      m_btns.push_back(btn);
    }
    m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  }
  ShowMenuMask(m_dwMenuMask, FALSE);
  if (!bNoLayout && m_hWnd) LayoutAndRepaint();
}

int SECMenuBar::FindMnemonic(int c) const {
  const int lower = mirt::ToLower1252(static_cast<unsigned char>(c));
  for (int i = 0; i < GetBtnCount(); ++i) {
    const SECStdBtn* btn = m_btns[i];
    if (btn->m_nType != SECBtnMenu || (btn->m_nStyle & TBBS_HIDDEN)) continue;
    if (static_cast<const SECTBMenuBtn*>(btn)->m_nMnemonic == lower) return i;
  }
  return -1;
}

void SECMenuBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate) {
  SECCustomToolBar::InsertButton(nIndex, nID, bSeparator, TRUE);
  ShowMenuMask(m_dwMenuMask, FALSE);
  if (!bNoUpdate && m_hWnd) LayoutAndRepaint();
}

CSize SECMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = SECCustomToolBar::CalcFixedLayout(bStretch, bHorz);
  if (m_bStretch) size.cx = ::GetSystemMetrics(SM_CXSCREEN);
  return size;
}

void SECMenuBar::SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  SECCustomToolBar::SetBarInfoEx(pInfo, pFrameWnd);
  // Saved ids name no menu: the buttons are the registered menus' popups.
  if (!m_descs.empty()) ResetButtons(TRUE);
}

void SECMenuBar::DelayShow(BOOL bShow) {
  if (!bShow && m_nKeepShown > 0) {
    --m_nKeepShown;
    return;
  }
  SECCustomToolBar::DelayShow(bShow);
  if (bShow) DropFloatingSysMenu();
}

void SECMenuBar::DropFloatingSysMenu() {
  if (!m_hWnd || !IsFloating()) return;
  if (CFrameWnd* mini = GetParentFrame(); mini && (mini->GetStyle() & WS_SYSMENU))
    mini->ModifyStyle(WS_SYSMENU, 0, SWP_FRAMECHANGED);
}

LRESULT SECMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A stretched bar's background takes clicks as a window does: no drag.
  if (m_bStretch && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) &&
      HitTestButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) < 0)
    return DefWindowProc(message, wParam, lParam);
  if (message == WM_WINDOWPOSCHANGED) {
    const LRESULT result = SECCustomToolBar::WindowProc(message, wParam, lParam);
    DropFloatingSysMenu();
    return result;
  }
  if (message == WM_SETTINGCHANGE) {
    CreateMenuFont();
    for (SECStdBtn* btn : m_btns) btn->AdjustSize();
    m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  }
  return SECCustomToolBar::WindowProc(message, wParam, lParam);
}
