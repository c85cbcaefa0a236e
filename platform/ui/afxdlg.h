// CDialog (modal and modeless, from templates), CPropertyPage as a plain
// child dialog, and dialog data exchange and validation (DDX_/DDV_).
#pragma once

#include "platform/ui/commctrl.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/dialog.h"

class CDataExchange;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless: the window is made at once, from the module's template.
  virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // Modal: shows the dialog, disables the owner, returns EndDialog's value.
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT lpRect) const;

  BOOL PreTranslateMessage(MSG* pMsg) override;

  LPCSTR m_lpszTemplateName = nullptr;
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  std::string m_templateName;  // a copy of a named template
  LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
  bool m_modal = false;
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  const AFX_MSGMAP* GetMessageMap() const override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  static void AttachTo(HWND h, void* self);
  BOOL HandleInitDialog();

 protected:
  // Makes the window from the template (hidden for a modal run; as a
  // child with `child`); null when the template is missing or bad.
  HWND MakeWindow(HWND parent, bool modal, bool child);
};

// A page used as a child dialog (the layer has no property sheet frame).
class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  CPropertyPage() = default;
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
  // Creates the page as a child of the parent (styles made child).
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
  BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr) override;
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual void OnReset();
  virtual BOOL OnApply();
  void SetModified(BOOL bChanged = TRUE) { m_bModified = bChanged; }
  BOOL IsModified() const { return m_bModified; }
  CString m_strCaption;

 protected:
  BOOL m_bModified = FALSE;
};

// ---- Data exchange ----

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Focuses the last prepared control and throws a CUserException.
  [[noreturn]] void Fail();
  int m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);   // also LONG
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);  // also DWORD
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
