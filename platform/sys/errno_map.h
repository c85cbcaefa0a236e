// POSIX errno values as Win32 error numbers.
#pragma once

#include <string>

#include "platform/base/windef.h"

namespace plat {

DWORD Win32ErrorFromErrno(int err);

// SetLastError(Win32ErrorFromErrno(err)).
void SetLastErrorFromErrno(int err);

// As SetLastErrorFromErrno for a call on a path; a missing file gives
// ERROR_FILE_NOT_FOUND, a missing folder on the way ERROR_PATH_NOT_FOUND.
void SetLastErrorForPath(int err, const std::string& path);

}  // namespace plat
