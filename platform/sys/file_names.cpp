// Files and folders by name: delete, move, copy, attributes, folders,
// current folder, temporary names, full path names.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sys/atomic_file.h"
#include "platform/sys/errno_map.h"
#include "platform/sys/file.h"
#include "platform/sys/path.h"

namespace {

bool CheckName(LPCSTR name) {
  if (name && *name) return true;
  SetLastError(name ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
  return false;
}

// Copies a Win32 name result: the length without NUL when it fits, else the
// size needed with the NUL.
DWORD CopyName(const std::string& s, DWORD size, LPSTR buffer) {
  if (!buffer || size <= s.size()) return static_cast<DWORD>(s.size() + 1);
  std::memcpy(buffer, s.c_str(), s.size() + 1);
  return static_cast<DWORD>(s.size());
}

bool ReadWhole(const std::string& path, std::string& out) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[65536];
  out.clear();
  for (;;) {
    ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int e = errno;
      close(fd);
      errno = e;
      return false;
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

bool CopyContent(const std::string& from, const std::string& to) {
  struct stat st;
  if (stat(from.c_str(), &st) != 0) {
    plat::SetLastErrorForPath(errno, from);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  std::string bytes;
  if (!ReadWhole(from, bytes)) {
    plat::SetLastErrorForPath(errno, from);
    return false;
  }
  plat::AtomicFileWriter w(to);
  if (!(w.Open() && w.Write(bytes) && w.Commit())) {
    plat::SetLastErrorForPath(w.ErrorCode(), to);
    return false;
  }
  // The copy keeps the original's mode and last write time, as on Windows.
  chmod(to.c_str(), st.st_mode & 07777);
  struct timespec times[2] = {st.st_atim, st.st_mtim};
  utimensat(AT_FDCWD, to.c_str(), times, 0);
  return true;
}

}  // namespace

BOOL DeleteFile(LPCSTR name) {
  if (!CheckName(name)) return FALSE;
  std::string path = plat::NormalizeSeparators(name);
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (unlink(path.c_str()) != 0) {
    plat::SetLastErrorForPath(errno, path);
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileEx(LPCSTR existing, LPCSTR newName, DWORD flags) {
  if (!CheckName(existing)) return FALSE;
  if (flags & MOVEFILE_DELAY_UNTIL_REBOOT) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
  }
  if (!CheckName(newName)) return FALSE;
  std::string from = plat::NormalizeSeparators(existing), to = plat::NormalizeSeparators(newName);
  struct stat src, dst;
  if (lstat(from.c_str(), &src) != 0) {
    plat::SetLastErrorForPath(errno, from);
    return FALSE;
  }
  bool targetExists = lstat(to.c_str(), &dst) == 0;
  bool sameFile = targetExists && src.st_dev == dst.st_dev && src.st_ino == dst.st_ino;
  if (targetExists && !sameFile) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return FALSE;
    }
    if (S_ISDIR(dst.st_mode) || S_ISDIR(src.st_mode)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
  }
  if (rename(from.c_str(), to.c_str()) == 0) return TRUE;
  if (errno != EXDEV) {
    plat::SetLastErrorForPath(errno, errno == ENOENT ? to : from);
    return FALSE;
  }
  if (!(flags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(src.st_mode)) {
    SetLastError(ERROR_NOT_SAME_DEVICE);
    return FALSE;
  }
  if (!CopyContent(from, to)) return FALSE;
  if (unlink(from.c_str()) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFile(LPCSTR existing, LPCSTR newName) {
  return MoveFileEx(existing, newName, MOVEFILE_COPY_ALLOWED);
}

BOOL CopyFile(LPCSTR existing, LPCSTR newName, BOOL failIfExists) {
  if (!CheckName(existing) || !CheckName(newName)) return FALSE;
  std::string from = plat::NormalizeSeparators(existing), to = plat::NormalizeSeparators(newName);
  struct stat dst;
  if (stat(to.c_str(), &dst) == 0) {
    if (failIfExists) {
      SetLastError(ERROR_FILE_EXISTS);
      return FALSE;
    }
    if (S_ISDIR(dst.st_mode) || access(to.c_str(), W_OK) != 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
  }
  return CopyContent(from, to) ? TRUE : FALSE;
}

DWORD GetFileAttributes(LPCSTR name) {
  if (!CheckName(name)) return INVALID_FILE_ATTRIBUTES;
  std::string path = plat::NormalizeSeparators(name);
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    plat::SetLastErrorForPath(errno, path);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attr = 0;
  if (S_ISDIR(st.st_mode)) attr |= FILE_ATTRIBUTE_DIRECTORY;
  if (!(st.st_mode & S_IWUSR)) attr |= FILE_ATTRIBUTE_READONLY;
  std::string base = plat::FileNamePart(path);
  if (base.size() > 1 && base[0] == '.' && base != "..") attr |= FILE_ATTRIBUTE_HIDDEN;
  return attr ? attr : FILE_ATTRIBUTE_NORMAL;
}

BOOL SetFileAttributes(LPCSTR name, DWORD attributes) {
  if (!CheckName(name)) return FALSE;
  std::string path = plat::NormalizeSeparators(name);
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    plat::SetLastErrorForPath(errno, path);
    return FALSE;
  }
  mode_t mode = st.st_mode & 07777;
  if (attributes & FILE_ATTRIBUTE_READONLY)
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  if (chmod(path.c_str(), mode) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL CreateDirectory(LPCSTR name, LPSECURITY_ATTRIBUTES) {
  if (!CheckName(name)) return FALSE;
  std::string path = plat::NormalizeSeparators(name);
  if (mkdir(path.c_str(), 0777) != 0) {
    if (errno == EEXIST)
      SetLastError(ERROR_ALREADY_EXISTS);
    else
      SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : plat::Win32ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL RemoveDirectory(LPCSTR name) {
  if (!CheckName(name)) return FALSE;
  std::string path = plat::NormalizeSeparators(name);
  if (rmdir(path.c_str()) != 0) {
    if (errno == ENOTDIR)
      SetLastError(ERROR_DIRECTORY);
    else
      plat::SetLastErrorForPath(errno, path);
    return FALSE;
  }
  return TRUE;
}

DWORD GetCurrentDirectory(DWORD size, LPSTR buffer) {
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) {
    plat::SetLastErrorFromErrno(errno);
    return 0;
  }
  return CopyName(buf, size, buffer);
}

BOOL SetCurrentDirectory(LPCSTR name) {
  if (!CheckName(name)) return FALSE;
  std::string path = plat::NormalizeSeparators(name);
  if (chdir(path.c_str()) != 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      SetLastError(errno == ENOTDIR ? ERROR_DIRECTORY : ERROR_FILE_NOT_FOUND);
    else
      plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

DWORD GetTempPath(DWORD size, LPSTR buffer) {
  const char* env = std::getenv("TMPDIR");
  std::string dir = env && *env ? plat::NormalizeSeparators(env) : "/tmp";
  if (dir.back() != '/') dir += '/';
  return CopyName(dir, size, buffer);
}

UINT GetTempFileName(LPCSTR dir, LPCSTR prefix, UINT unique, LPSTR out) {
  if (!dir || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string pre = prefix ? std::string(prefix).substr(0, 3) : "";
  // The name keeps the caller's separators: "\" when the folder has them.
  std::string folder = dir;
  bool backslashes = folder.find('\\') != std::string::npos;
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += backslashes ? '\\' : '/';
  auto nameFor = [&](UINT n) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", n & 0xFFFF);
    return folder + pre + hex + ".TMP";
  };
  auto store = [&](const std::string& name) {
    if (name.size() >= MAX_PATH) {
      SetLastError(ERROR_BUFFER_OVERFLOW);
      return false;
    }
    std::memcpy(out, name.c_str(), name.size() + 1);
    return true;
  };
  if (unique) {
    unique &= 0xFFFF;
    return store(nameFor(unique)) ? unique : 0;
  }
  UINT start = (GetTickCount() ^ static_cast<UINT>(getpid())) & 0xFFFF;
  for (UINT i = 0; i < 0x10000; ++i) {
    UINT n = (start + i) & 0xFFFF;
    if (n == 0) continue;
    std::string name = nameFor(n);
    int fd = open(plat::NormalizeSeparators(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      close(fd);
      if (!store(name)) {
        unlink(plat::NormalizeSeparators(name).c_str());
        return 0;
      }
      return n;
    }
    if (errno != EEXIST) {
      SetLastError(errno == ENOENT ? ERROR_DIRECTORY : plat::Win32ErrorFromErrno(errno));
      return 0;
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}

DWORD GetFullPathName(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) {
  if (!CheckName(name)) return 0;
  std::string full = plat::AbsolutePath(name);
  std::string in = plat::NormalizeSeparators(name);
  if (in.size() > 1 && in.back() == '/' && full != "/") full += '/';  // a trailing "/" stays
  DWORD n = CopyName(full, size, buffer);
  if (filePart && buffer && n < size) {
    size_t slash = full.rfind('/');
    *filePart = slash + 1 < full.size() ? buffer + slash + 1 : nullptr;
  }
  return n;
}
