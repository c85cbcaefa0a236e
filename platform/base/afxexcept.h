// CException and its simple kinds, thrown as pointers as MFC does, with the
// TRY/CATCH macros (an exception caught through them is deleted at the end
// of its CATCH block unless THROW_LAST passes it on).
#pragma once

#include "platform/base/cobject.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  // Frees a heap exception; a static one (m_bAutoDelete FALSE) stays.
  void Delete();
  // Copies the message (cut to nMaxError - 1 bytes); FALSE when there is none.
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

  BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  explicit CSimpleException(BOOL bAutoDelete = TRUE, LPCSTR lpszMessage = "")
      : CException(bAutoDelete), m_lpszMessage(lpszMessage) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

 protected:
  LPCSTR m_lpszMessage;
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete, "Out of memory.") {}
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  explicit CResourceException(BOOL bAutoDelete = TRUE)
      : CSimpleException(bAutoDelete, "A required resource was unavailable.") {}
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  explicit CNotSupportedException(BOOL bAutoDelete = TRUE)
      : CSimpleException(bAutoDelete, "An unsupported operation was attempted.") {}
};

class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
 public:
  explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete, "") {}
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowUserException();

namespace mirt {

// Deletes the caught exception when its CATCH block ends, unless kept.
class ExceptionLink {
 public:
  explicit ExceptionLink(CException* e) : m_pException(e) {}
  ~ExceptionLink() {
    if (m_pException) m_pException->Delete();
  }
  ExceptionLink(const ExceptionLink&) = delete;
  ExceptionLink& operator=(const ExceptionLink&) = delete;
  void Keep() { m_pException = nullptr; }

 private:
  CException* m_pException;
};

}  // namespace mirt

#define TRY try
#define CATCH(class_name, e) \
  catch (class_name * e) {   \
    ::mirt::ExceptionLink afxExceptionLink_(e);
#define AND_CATCH(class_name, e) \
  }                              \
  catch (class_name * e) {       \
    ::mirt::ExceptionLink afxExceptionLink_(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define THROW(e) throw e
#define THROW_LAST()          \
  do {                        \
    afxExceptionLink_.Keep(); \
    throw;                    \
  } while (0)
