#include "platform/base/afxexcept.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError && nMaxError > 0) *lpszError = '\0';
  return FALSE;
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  if (!lpszError || nMaxError == 0) return FALSE;
  const char* text = m_lpszMessage ? m_lpszMessage : "";
  size_t n = strnlen(text, nMaxError - 1);
  std::memcpy(lpszError, text, n);
  lpszError[n] = '\0';
  return *text != '\0';
}

// The memory exception is preallocated: there may be no memory for a new one.
void AfxThrowMemoryException() {
  static CMemoryException s_memoryException(FALSE);
  throw &s_memoryException;
}

void AfxThrowResourceException() { throw new CResourceException; }

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

void AfxThrowUserException() { throw new CUserException; }
