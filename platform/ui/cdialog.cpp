#include <cfloat>

#include "platform/afx/winthread.h"
#include "platform/ui/afxdlg.h"
#include "platform/ui/dialog_impl.h"
#include "platform/ui/tooltip.h"
#include "platform/ui/wnd_obj.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// Messages of the modal loop go through the thread's PreTranslateMessage
// (the application's, as in its own loop), else through PreTranslateMessage
// of the windows from the target up to the dialog.
bool PreTranslateChain(HWND dlg, MSG* m) {
  if (CWinThread* thread = AfxGetThread()) return thread->PreTranslateMessage(m) != FALSE;
  for (HWND w = m->hwnd; w; w = GetParent(w)) {
    if (CWnd* p = CWnd::FromHandlePermanent(w); p && p->PreTranslateMessage(m)) return true;
    if (w == dlg) break;
  }
  return false;
}

}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT id, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(id)), m_nIDHelp(id), m_pParentWnd(parent) {}

CDialog::CDialog(LPCSTR name, CWnd* parent) : m_pParentWnd(parent) {
  if (name && !IS_INTRESOURCE(name)) {
    m_templateName = name;
    m_lpszTemplateName = m_templateName.c_str();
  } else {
    m_lpszTemplateName = name;
  }
}

CDialog::~CDialog() {
  if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

void CDialog::AttachTo(HWND h, void* self) { static_cast<CDialog*>(self)->SubclassWindow(h); }

INT_PTR CALLBACK CDialog::DialogProc(HWND h, UINT msg, WPARAM, LPARAM) {
  if (msg != WM_INITDIALOG) return FALSE;
  auto* dlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(h));
  return dlg ? dlg->HandleInitDialog() : TRUE;
}

BOOL CDialog::HandleInitDialog() {
  RECT before;
  ::GetWindowRect(m_hWnd, &before);
  BOOL r = OnInitDialog();
  if (!::IsWindow(m_hWnd)) return FALSE;
  RECT after;
  ::GetWindowRect(m_hWnd, &after);
  // A dialog its initialisation did not place is centred on its owner.
  if (!(GetStyle() & WS_CHILD) && EqualRect(&before, &after)) CenterWindow();
  return r;
}

HWND CDialog::MakeWindow(HWND parent, bool modal, bool child) {
  DialogTemplate t;
  HINSTANCE inst = nullptr;
  bool found = false;
  if (m_lpDialogTemplate) {
    found = ParseDialogTemplate(m_lpDialogTemplate, 1 << 20, &t);
    inst = AfxGetResourceHandle();
  } else if (m_lpszTemplateName) {
    // The module that defines the dialog's class holds its template.
    HINSTANCE candidates[] = {mirt_ui::ModuleHandleOf(*reinterpret_cast<void* const*>(this)),
                              AfxGetResourceHandle(), nullptr};
    for (HINSTANCE c : candidates) {
      if (LoadDialogTemplate(c, m_lpszTemplateName, &t)) {
        inst = c;
        found = true;
        break;
      }
    }
  }
  if (!found) return nullptr;
  if (modal) t.style &= ~WS_VISIBLE;
  if (child)
    t.style = (t.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) | DS_CONTROL | WS_CHILD;
  return mirt_ui::CreateDialogFromTemplate(inst, t, parent, &DialogProc, reinterpret_cast<LPARAM>(this),
                                           &AttachTo, this);
}

BOOL CDialog::Create(LPCSTR name, CWnd* parent) {
  if (name && !IS_INTRESOURCE(name)) {
    m_templateName = name;
    m_lpszTemplateName = m_templateName.c_str();
  } else {
    m_lpszTemplateName = name;
  }
  if (parent) m_pParentWnd = parent;
  m_modal = false;
  HWND h = MakeWindow(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, false, false);
  return h != nullptr;
}

BOOL CDialog::Create(UINT id, CWnd* parent) {
  if (!m_nIDHelp) m_nIDHelp = id;
  return Create(MAKEINTRESOURCE(id), parent);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent) {
  m_lpDialogTemplate = tmpl;
  if (parent) m_pParentWnd = parent;
  return MakeWindow(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, false, false) != nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
  HWND owner = parent ? ::GetAncestor(parent, GA_ROOT) : nullptr;
  m_modal = true;
  HWND h = MakeWindow(owner, true, false);
  if (!h) {
    m_modal = false;
    return -1;
  }
  INT_PTR r = mirt_ui::RunModalDialog(h, owner, &PreTranslateChain);
  if (::IsWindow(h)) ::DestroyWindow(h);
  m_modal = false;
  return r;
}

void CDialog::EndDialog(int result) {
  if (m_hWnd) ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* m) {
  if (!m_hWnd || (m->hwnd != m_hWnd && !::IsChild(m_hWnd, m->hwnd))) return FALSE;
  // A page inside a dialog leaves the keys to that dialog, whose tab order
  // runs through the page's controls.
  const HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
  if (root != m_hWnd && (::GetWindowLong(m_hWnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
      mirt_ui::DialogStateOf(root))
    return FALSE;
  mirt_ui::FilterToolTipMessage(this, m);
  bool input = (m->message >= WM_KEYFIRST && m->message <= WM_KEYLAST) ||
               (m->message >= WM_MOUSEFIRST && m->message <= WM_MOUSELAST);
  return input && ::IsDialogMessage(m_hWnd, m);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* ctl) {
  if (ctl) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ctl->m_hWnd), 1);
}
void CDialog::SetDefID(UINT id) { ::SendMessage(m_hWnd, DM_SETDEFID, id, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT r) const { ::MapDialogRect(m_hWnd, r); }

// ---- CPropertyPage ----

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT id, UINT caption) : CDialog(id) {
  if (caption) m_strCaption.LoadString(caption);
}

CPropertyPage::CPropertyPage(LPCSTR name, UINT caption) : CDialog(name) {
  if (caption) m_strCaption.LoadString(caption);
}

BOOL CPropertyPage::Create(LPCSTR name, CWnd* parent) {
  if (name && !IS_INTRESOURCE(name)) {
    m_templateName = name;
    m_lpszTemplateName = m_templateName.c_str();
  } else if (name) {
    m_lpszTemplateName = name;
  }
  if (parent) m_pParentWnd = parent;
  return MakeWindow(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, false, true) != nullptr;
}

BOOL CPropertyPage::Create(UINT id, CWnd* parent) { return Create(MAKEINTRESOURCE(id), parent); }
BOOL CPropertyPage::OnSetActive() { return UpdateData(FALSE); }
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
void CPropertyPage::OnReset() {}
BOOL CPropertyPage::OnApply() {
  m_bModified = FALSE;
  return TRUE;
}
