#include "platform/sys/computer_name.h"

#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/base/charcase.h"
#include "platform/base/winerror.h"

namespace {

std::string LocalComputerName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return {};
  std::string name(host, strnlen(host, sizeof host));
  name = name.substr(0, name.find('.'));
  if (name.size() > MAX_COMPUTERNAME_LENGTH) name.resize(MAX_COMPUTERNAME_LENGTH);
  for (char& c : name) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace

BOOL GetComputerName(LPSTR buffer, LPDWORD size) {
  if (!size || (!buffer && *size)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string name = LocalComputerName();
  if (name.empty()) {
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
  }
  if (*size < name.size() + 1) {
    *size = static_cast<DWORD>(name.size() + 1);
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return FALSE;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *size = static_cast<DWORD>(name.size());
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
