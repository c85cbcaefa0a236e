// The MFC common dialogs: CFileDialog, CColorDialog, CFontDialog,
// CPrintDialog, CPageSetupDialog and the modeless CFindReplaceDialog.
#pragma once

#include "platform/ui/afxdlg.h"
#include "platform/ui/commdlg.h"

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd = nullptr);

 protected:
  HWND OwnerWindow() const;
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // The filter is "text|pattern|...||", as MFC takes it.
  explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Selected names of a multiple selection, as full paths.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  OPENFILENAME m_ofn{};

 protected:
  BOOL m_bOpenFileDialog;
  char m_szFileName[MAX_PATH] = {0};
  char m_szFileTitle[64] = {0};
  CString m_strFilter;
  CString m_strDefExt;
};

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
  static COLORREF* PASCAL GetSavedCustomColors();
  CHOOSECOLOR m_cc{};
};

class CFontDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFontDialog)
 public:
  explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                       CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  void GetCurrentFont(LPLOGFONT lplf);
  CString GetFaceName() const { return CString(m_cf.lpLogFont->lfFaceName); }
  int GetSize() const { return m_cf.iPointSize; }
  COLORREF GetColor() const { return m_cf.rgbColors; }
  int GetWeight() const { return static_cast<int>(m_cf.lpLogFont->lfWeight); }
  BOOL IsItalic() const { return m_cf.lpLogFont->lfItalic != 0; }
  CHOOSEFONT m_cf{};
  LOGFONT m_lf{};
};

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
 public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  ~CPrintDialog() override;
  INT_PTR DoModal() override;
  BOOL GetDefaults();
  HDC GetPrinterDC() const { return m_pd.hDC; }
  HDC CreatePrinterDC();
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  int GetCopies() const { return m_pd.nCopies; }
  int GetFromPage() const { return m_pd.nFromPage; }
  int GetToPage() const { return m_pd.nToPage; }
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  PRINTDLG& m_pd;

 private:
  PRINTDLG m_pdActual{};
  CString DevName(int which) const;
};

class CPageSetupDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPageSetupDialog)
 public:
  explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES,
                            CWnd* pParentWnd = nullptr);
  ~CPageSetupDialog() override;
  INT_PTR DoModal() override;
  CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
  void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
  PAGESETUPDLG m_psd{};
};

class CFindReplaceDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFindReplaceDialog)
 public:
  CFindReplaceDialog();
  // Makes the modeless window; the object deletes itself when it closes.
  virtual BOOL Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith = nullptr,
                      DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);
  static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);
  CString GetFindString() const { return CString(m_fr.lpstrFindWhat); }
  CString GetReplaceString() const { return CString(m_fr.lpstrReplaceWith); }
  BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
  BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
  BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
  BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
  BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
  BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
  BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

  FINDREPLACE m_fr{};
  BOOL m_bReplaceDialog = FALSE;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  char m_szFindWhat[128] = {0};
  char m_szReplaceWith[128] = {0};
};
