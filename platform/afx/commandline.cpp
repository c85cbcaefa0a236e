#include "platform/afx/commandline.h"

#include <strings.h>

BOOL CCommandLineInfo::IsFlagName(LPCSTR name) {
  static const char* const kFlags[] = {"p",          "pt",         "dde",         "Embedding",
                                       "Automation", "Unregister", "Unregserver", "nologo"};
  for (const char* f : kFlags)
    if (strcasecmp(name, f) == 0) return TRUE;
  return FALSE;
}

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag)
    ParseParamFlag(pszParam);
  else
    ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCSTR p) {
  if (strcasecmp(p, "pt") == 0) {
    m_nShellCommand = FilePrintTo;
  } else if (strcasecmp(p, "p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (strcasecmp(p, "Unregister") == 0 || strcasecmp(p, "Unregserver") == 0) {
    m_nShellCommand = AppUnregister;
  } else if (strcasecmp(p, "dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (strcasecmp(p, "Embedding") == 0) {
    m_bRunEmbedded = TRUE;
    m_bShowSplash = FALSE;
  } else if (strcasecmp(p, "Automation") == 0) {
    m_bRunAutomated = TRUE;
    m_bShowSplash = FALSE;
  } else if (strcasecmp(p, "nologo") == 0) {
    m_bShowSplash = FALSE;
  }
}

void CCommandLineInfo::ParseParamNotFlag(LPCSTR p) {
  // The file comes first; print-to takes printer, driver and port after it.
  if (m_strFileName.IsEmpty())
    m_strFileName = p;
  else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
    m_strPrinterName = p;
  else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
    m_strDriverName = p;
  else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
    m_strPortName = p;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
}
