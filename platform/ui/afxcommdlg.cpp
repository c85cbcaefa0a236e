#include "platform/ui/afxcommdlg.h"

#include <cstring>

#include "platform/base/winstring.h"
#include "platform/ui/cdc.h"
#include "platform/ui/globalmem.h"
#include "platform/ui/print.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* parent) { m_pParentWnd = parent; }

HWND CCommonDialog::OwnerWindow() const {
  HWND h = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
  return h ? ::GetAncestor(h, GA_ROOT) : nullptr;
}

// ---- CFileDialog ----

CFileDialog::CFileDialog(BOOL open, LPCSTR defExt, LPCSTR fileName, DWORD flags, LPCSTR filter, CWnd* parent)
    : CCommonDialog(parent), m_bOpenFileDialog(open) {
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
  m_ofn.Flags = flags | OFN_EXPLORER;
  if (defExt) {
    m_strDefExt = defExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (fileName) lstrcpyn(m_szFileName, fileName, sizeof m_szFileName);
  if (filter) {
    // "a|b|c||" becomes "a\0b\0c\0\0".
    std::string f = filter;
    for (char& c : f)
      if (c == '|') c = '\0';
    if (f.empty() || f.back() != '\0') f.push_back('\0');
    f.push_back('\0');
    m_strFilter = CString(f.data(), static_cast<int>(f.size()));
    m_ofn.lpstrFilter = m_strFilter;
  }
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = OwnerWindow();
  BOOL ok = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
  return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
  if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 &&
      m_ofn.lpstrFile[m_ofn.nFileOffset - 1] == '\0') {
    POSITION pos = GetStartPosition();
    return GetNextPathName(pos);
  }
  return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  int slash = path.ReverseFind('/');
  return slash < 0 ? path : path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

POSITION CFileDialog::GetStartPosition() const {
  return m_ofn.lpstrFile && *m_ofn.lpstrFile ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const char* p = reinterpret_cast<const char*>(pos);
  if (!p) return CString();
  bool multi = m_ofn.nFileOffset > 0 && m_ofn.lpstrFile[m_ofn.nFileOffset - 1] == '\0';
  if (!multi) {
    pos = nullptr;
    return CString(p);
  }
  if (p == m_ofn.lpstrFile) p += m_ofn.nFileOffset;
  CString result = CString(m_ofn.lpstrFile) + "/" + p;
  const char* next = p + strlen(p) + 1;
  pos = *next ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
  return result;
}

// ---- CColorDialog ----

CColorDialog::CColorDialog(COLORREF init, DWORD flags, CWnd* parent) : CCommonDialog(parent) {
  m_cc.lStructSize = sizeof m_cc;
  m_cc.rgbResult = init;
  m_cc.Flags = flags | (init ? CC_RGBINIT : 0);
  m_cc.lpCustColors = GetSavedCustomColors();
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors() {
  static COLORREF colors[16] = {
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return colors;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = OwnerWindow();
  return ::ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}

// ---- CFontDialog ----

CFontDialog::CFontDialog(LPLOGFONT initial, DWORD flags, CDC* printer, CWnd* parent) : CCommonDialog(parent) {
  m_cf.lStructSize = sizeof m_cf;
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags = flags;
  if (initial) {
    m_lf = *initial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
  if (printer) m_cf.hDC = printer->GetSafeHdc();
}

INT_PTR CFontDialog::DoModal() {
  m_cf.hwndOwner = OwnerWindow();
  return ::ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lf) {
  if (lf) *lf = m_lf;
}

// ---- CPrintDialog ----

CPrintDialog::CPrintDialog(BOOL setupOnly, DWORD flags, CWnd* parent)
    : CCommonDialog(parent), m_pd(m_pdActual) {
  m_pd.lStructSize = sizeof m_pd;
  m_pd.Flags = flags | (setupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  m_pd.nCopies = 1;
  m_pd.nFromPage = m_pd.nToPage = 1;
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog() {
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
  if (m_pd.hDevNames) ::GlobalFree(m_pd.hDevNames);
  if (m_pd.hDevMode) ::GlobalFree(m_pd.hDevMode);
}

INT_PTR CPrintDialog::DoModal() {
  m_pd.hwndOwner = OwnerWindow();
  if (m_pd.hDC) {
    ::DeleteDC(m_pd.hDC);
    m_pd.hDC = nullptr;
  }
  return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  DWORD saved = m_pd.Flags;
  m_pd.Flags |= PD_RETURNDEFAULT;
  if (m_pd.hDevNames) {
    ::GlobalFree(m_pd.hDevNames);
    m_pd.hDevNames = nullptr;
  }
  BOOL ok = ::PrintDlg(&m_pd);
  m_pd.Flags = saved;
  return ok;
}

HDC CPrintDialog::CreatePrinterDC() {
  mirt_ui::PrinterSetup setup;
  setup.output = GetPortName().operator LPCSTR();
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
  m_pd.hDC = mirt_ui::CreatePrinterDC(setup);
  return m_pd.hDC;
}

CString CPrintDialog::DevName(int which) const {
  if (!m_pd.hDevNames) return CString();
  auto* dn = static_cast<DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
  WORD off = which == 0 ? dn->wDriverOffset : which == 1 ? dn->wDeviceOffset : dn->wOutputOffset;
  CString s(reinterpret_cast<const char*>(dn) + off);
  ::GlobalUnlock(m_pd.hDevNames);
  return s;
}

CString CPrintDialog::GetDriverName() const { return DevName(0); }
CString CPrintDialog::GetDeviceName() const { return DevName(1); }
CString CPrintDialog::GetPortName() const { return DevName(2); }

// ---- CPageSetupDialog ----

CPageSetupDialog::CPageSetupDialog(DWORD flags, CWnd* parent) : CCommonDialog(parent) {
  m_psd.lStructSize = sizeof m_psd;
  m_psd.Flags = flags;
}

CPageSetupDialog::~CPageSetupDialog() {
  if (m_psd.hDevNames) ::GlobalFree(m_psd.hDevNames);
}

INT_PTR CPageSetupDialog::DoModal() {
  m_psd.hwndOwner = OwnerWindow();
  return ::PageSetupDlg(&m_psd) ? IDOK : IDCANCEL;
}

void CPageSetupDialog::GetMargins(LPRECT margins, LPRECT minMargins) const {
  if (margins) *margins = m_psd.rtMargin;
  if (minMargins) *minMargins = m_psd.rtMinMargin;
}

// ---- CFindReplaceDialog ----

CFindReplaceDialog::CFindReplaceDialog() {
  m_fr.lStructSize = sizeof m_fr;
  m_fr.lpstrFindWhat = m_szFindWhat;
  m_fr.wFindWhatLen = sizeof m_szFindWhat;
  m_fr.lpstrReplaceWith = m_szReplaceWith;
  m_fr.wReplaceWithLen = sizeof m_szReplaceWith;
}

namespace {
void AttachFind(HWND h, void* self) { static_cast<CFindReplaceDialog*>(self)->SubclassWindow(h); }
}  // namespace

BOOL CFindReplaceDialog::Create(BOOL findOnly, LPCSTR findWhat, LPCSTR replaceWith, DWORD flags,
                                CWnd* parent) {
  m_bReplaceDialog = !findOnly;
  m_fr.Flags |= flags;
  if (!m_fr.hInstance) m_fr.hInstance = AfxGetResourceHandle();
  if (findWhat) lstrcpyn(m_szFindWhat, findWhat, sizeof m_szFindWhat);
  if (replaceWith) lstrcpyn(m_szReplaceWith, replaceWith, sizeof m_szReplaceWith);
  HWND owner = parent ? parent->m_hWnd : ::GetActiveWindow();
  m_fr.hwndOwner = owner;
  m_fr.lCustData = reinterpret_cast<LPARAM>(this);
  return mirt_ui::CreateFindReplaceWindow(&m_fr, !findOnly, &AttachFind, this) != nullptr;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lp) {
  auto* fr = reinterpret_cast<FINDREPLACE*>(lp);
  return fr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

LRESULT CFindReplaceDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT r = CCommonDialog::WindowProc(msg, wp, lp);
  // The find dialog's own set-up ran; now the class's.
  if (msg == WM_INITDIALOG && m_hWnd) return OnInitDialog();
  return r;
}

void CFindReplaceDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  Default();
}

void CFindReplaceDialog::OnCancel() { Default(); }

void CFindReplaceDialog::PostNcDestroy() { delete this; }
