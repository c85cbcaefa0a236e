#include "platform/sys/errno_map.h"

#include <cerrno>

#include "platform/base/winerror.h"
#include "platform/sys/path.h"

namespace plat {

DWORD Win32ErrorFromErrno(int err) {
  switch (err) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY:
    case ETXTBSY:
      return ERROR_SHARING_VIOLATION;
    case EAGAIN:
      return ERROR_LOCK_VIOLATION;
    case EPIPE:
      return ERROR_BROKEN_PIPE;
    case ENODEV:
    case ENXIO:
      return ERROR_DEV_NOT_EXIST;
    case ETIMEDOUT:
      return ERROR_SEM_TIMEOUT;
    case ELOOP:
      return ERROR_PATH_NOT_FOUND;
    case ENOSYS:
    case ENOTSUP:
      return ERROR_NOT_SUPPORTED;
    case EIO:
      return ERROR_GEN_FAILURE;
    default:
      return ERROR_GEN_FAILURE;
  }
}

void SetLastErrorFromErrno(int err) { SetLastError(Win32ErrorFromErrno(err)); }

void SetLastErrorForPath(int err, const std::string& path) {
  if (err != ENOENT) return SetLastErrorFromErrno(err);
  std::string dir = DirectoryPart(path);
  SetLastError(dir.empty() || DirectoryExists(dir) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
}

}  // namespace plat
