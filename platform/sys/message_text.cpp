#include "platform/sys/message_text.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/base/winerror.h"

namespace {

struct Text {
  DWORD id;
  const char* text;
};

const Text kTexts[] = {
    {0, "The operation completed successfully."},
    {1, "Incorrect function."},
    {2, "The system cannot find the file specified."},
    {3, "The system cannot find the path specified."},
    {4, "The system cannot open the file."},
    {5, "Access is denied."},
    {6, "The handle is invalid."},
    {8, "Not enough storage is available to process this command."},
    {13, "The data is invalid."},
    {14, "Not enough storage is available to complete this operation."},
    {19, "The media is write protected."},
    {31, "A device attached to the system is not functioning."},
    {32, "The process cannot access the file because it is being used by another process."},
    {50, "The request is not supported."},
    {80, "The file exists."},
    {87, "The parameter is incorrect."},
    {109, "The pipe has been ended."},
    {112, "There is not enough space on the disk."},
    {121, "The semaphore timeout period has expired."},
    {183, "Cannot create a file when that file already exists."},
    {193, "%1 is not a valid Win32 application."},
    {232, "The pipe is being closed."},
    {267, "The directory name is invalid."},
    {995, "The I/O operation has been aborted because of either a thread exit or an application request."},
};

const char* Lookup(DWORD id) {
  for (const Text& t : kTexts)
    if (t.id == id) return t.text;
  return nullptr;
}

}  // namespace

DWORD FormatMessage(DWORD flags, LPCVOID, DWORD id, DWORD, LPSTR buffer, DWORD size, va_list*) {
  const char* found = (flags & FORMAT_MESSAGE_FROM_SYSTEM) ? Lookup(id) : nullptr;
  if (!found || !buffer) {
    SetLastError(found ? ERROR_INVALID_PARAMETER : ERROR_MR_MID_NOT_FOUND);
    return 0;
  }
  std::string text = std::string(found) + "\r\n";
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    std::memcpy(copy, text.c_str(), text.size() + 1);
    *reinterpret_cast<char**>(buffer) = copy;
    return static_cast<DWORD>(text.size());
  }
  if (size < text.size() + 1) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

HLOCAL LocalFree(HLOCAL mem) {
  std::free(mem);
  return nullptr;
}
