// Arbitrary format strings against typed and va_list arguments, and the
// CString operations that take untrusted text.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/cstring.h"
#include "platform/base/winstring.h"

namespace {

CString ViaFormatV(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  CString s;
  s.FormatV(fmt, ap);
  va_end(ap);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string fmt(reinterpret_cast<const char*>(data), size);
  CString name("name");
  CString s;
  s.Format(fmt.c_str(), 42, name, -7LL, 3.5, static_cast<void*>(nullptr), 'c');
  s.Format(fmt.c_str());
  char buf[1024];
  wsprintf(buf, fmt.c_str(), 1, "x");
  // Only %-free text is safe for a va_list without matching arguments.
  if (fmt.find('%') == std::string::npos) ViaFormatV(fmt.c_str());

  CString text(reinterpret_cast<const char*>(data), static_cast<int>(size));
  text.Replace("%", "%%");
  text.TrimLeft();
  text.TrimRight("\r\n");
  text.MakeUpper();
  int at = text.Find("=");
  CString key = text.Left(at), value = text.Mid(at + 1);
  value.Insert(static_cast<int>(size % 7) - 2, "ab");
  value.Delete(static_cast<int>(size % 5) - 1, static_cast<int>(size % 3));
  volatile int sink = key.CompareNoCase(value);
  (void)sink;
  return 0;
}
