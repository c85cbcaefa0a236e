// FindFirstFile / FindNextFile / FindClose over a snapshot of the folder.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sys/errno_map.h"
#include "platform/sys/file.h"
#include "platform/sys/kernel_object.h"
#include "platform/sys/path.h"
#include "platform/sys/wildcard.h"

namespace {

class FindObject : public plat::KernelObject {
 public:
  std::vector<WIN32_FIND_DATA> entries;
  size_t next = 0;
};

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

bool Describe(const std::string& dir, const std::string& name, WIN32_FIND_DATA& fd) {
  if (name.size() >= MAX_PATH) return false;
  std::string full = plat::JoinPath(dir.empty() ? "." : dir, name);
  struct stat st;
  if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0) return false;
  std::memset(&fd, 0, sizeof fd);
  DWORD attr = GetFileAttributes(full.c_str());
  fd.dwFileAttributes = attr == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_NORMAL : attr;
  fd.ftCreationTime = plat::FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  fd.ftLastAccessTime = plat::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  fd.ftLastWriteTime = plat::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  fd.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  fd.nFileSizeLow = static_cast<DWORD>(size);
  std::memcpy(fd.cFileName, name.c_str(), name.size() + 1);
  return true;
}

}  // namespace

HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  // Control characters are no part of a Windows name.
  for (const char* p = pattern; *p; ++p)
    if (static_cast<unsigned char>(*p) < 0x20) {
      SetLastError(ERROR_INVALID_NAME);
      return INVALID_HANDLE_VALUE;
    }
  std::string norm = plat::NormalizeSeparators(pattern);
  std::string dir = plat::DirectoryPart(norm);
  std::string mask = plat::FileNamePart(norm);
  if (mask.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) {
    SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                     : plat::Win32ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  std::vector<std::string> names;
  while (dirent* e = readdir(d))
    if (plat::WildcardMatch(mask, e->d_name)) names.emplace_back(e->d_name);
  closedir(d);
  std::sort(names.begin(), names.end(), LessNoCase);
  auto find = std::make_shared<FindObject>();
  for (const std::string& name : names) {
    WIN32_FIND_DATA fd;
    if (Describe(dir, name, fd)) find->entries.push_back(fd);
  }
  if (find->entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *data = find->entries[0];
  find->next = 1;
  return plat::AddHandle(find);
}

BOOL FindNextFile(HANDLE h, LPWIN32_FIND_DATA data) {
  auto find = plat::FindHandle<FindObject>(h);
  if (!find) return FALSE;
  if (!data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (find->next >= find->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = find->entries[find->next++];
  return TRUE;
}

BOOL FindClose(HANDLE h) {
  if (!plat::FindHandle<FindObject>(h)) return FALSE;
  return plat::RemoveHandle(h) ? TRUE : FALSE;
}
