// The memory tool's modal dialogs: the row editor ("Memory editor") and
// the dump range ("Save memory").
#pragma once
#include "a_qjx/memory_dump.h"
#include "platform/ui/afxdlg.h"

class CMemoryEditorDialog : public CDialog {
 public:
  CMemoryEditorDialog(const CString& startText, const CString& byteText, CWnd* parent);
  void DoDataExchange(CDataExchange* dx) override;

  CString byteText;
  CString startText;
  // After OK: the bytes to write.
  BYTE bytes[8] = {};
  int byteCount = 0;

 protected:
  void OnOK() override;
  void OnHelp();
  DECLARE_MESSAGE_MAP()
};

class CSaveMemoryDialog : public CDialog {
 public:
  explicit CSaveMemoryDialog(CWnd* parent);
  void DoDataExchange(CDataExchange* dx) override;

  CString fileName;
  CString startText;
  CString stopText;
  int lineSize = 1;
  BOOL saveAddress = FALSE;
  // After OK: the parsed range.
  MemoryDumpRequest request;

 protected:
  void OnOK() override;
  void OnBrowse();
  void OnHelp();
  DECLARE_MESSAGE_MAP()
};

// The tool's help page, shown by all three dialogs.
void ShowMemoryHelp();
