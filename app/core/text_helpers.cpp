#include "app/core/text_helpers.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Length of the folder part: everything before the last separator.
size_t FolderLength(const char* path) {
  return size_t(FileNameFromPath(path) - path) - (FileNameFromPath(path) == path ? 0 : 1);
}

}  // namespace

const char* FileNameFromPath(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (IsSeparator(*p)) name = p + 1;
  }
  return name;
}

CString MakeRelativePath(const char* path, const char* directory) {
  if (!path) return CString();
  if (!directory) return CString(path);
  size_t dirLength = strlen(directory);
  if (FolderLength(path) < dirLength || CString(path, int(dirLength)).CompareNoCase(directory) != 0) {
    return CString(path);
  }
  const char* rest = path + dirLength;
  if (IsSeparator(*rest)) ++rest;
  return CString(rest);
}

int SafeStrEqual(const char* a, const char* b) {
  if (!a || !b) return a == b ? 1 : 0;
  return strcmp(a, b) == 0 ? 1 : 0;
}
