// CCommandLineInfo: what the program's command line asks for.
#pragma once

#include "platform/base/cstring.h"

class CCommandLineInfo {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  int m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

  virtual ~CCommandLineInfo() = default;
  // One argument; a flag comes without its "-" or "/".
  virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);
  // One of the flags above. Paths start with "/" here, so "/" introduces a
  // flag only for these names; "-" always does.
  static BOOL IsFlagName(LPCSTR name);

 private:
  void ParseParamFlag(LPCSTR pszParam);
  void ParseParamNotFlag(LPCSTR pszParam);
  void ParseLast(BOOL bLast);
};
