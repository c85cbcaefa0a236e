#include "app/api_error.h"

#include "platform/base/cstring.h"
#include "platform/base/winerror.h"
#include "platform/sys/message_text.h"
#include "platform/sys/msgbox.h"

void DisplayApiError(LPCSTR apiName) {
  DWORD code = GetLastError();
  LPSTR message = nullptr;
  FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&message), 0, nullptr);
  CString text;
  text.Format("ERROR: API    = %s.\nerror code    = %d.\nmessage       = %s.\n", apiName, code,
              message ? message : "");
  if (text.GetLength() > 511) text = text.Left(511);
  MessageBox(nullptr, text, "Error", MB_OK | MB_ICONEXCLAMATION);
  if (message) LocalFree(message);
}
