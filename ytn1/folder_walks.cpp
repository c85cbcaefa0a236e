// Copying and removing the files of one folder level.
#include <string>

#include "platform/sys/file.h"
#include "ytn1/ytn1.h"

namespace {

constexpr DWORD kFolderBuffer = 300;

// Runs fn for every entry of "*.*" in the folder, with the folder made
// current; false when the folder could not be entered.
template <class Fn>
bool ForEachEntry(LPCSTR folder, Fn fn) {
  char saved[kFolderBuffer + 1] = {};
  GetCurrentDirectory(kFolderBuffer, saved);
  if (!folder || !SetCurrentDirectory(folder)) return false;
  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile("*.*", &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      fn(data);
    } while (FindNextFile(find, &data));
    FindClose(find);
  }
  SetCurrentDirectory(saved);
  return true;
}

}  // namespace

extern "C" {

LONG WINAPI Ytn1CopyDirectory(LPCSTR source, LPCSTR destination) {
  std::string dest = destination ? destination : "";
  ForEachEntry(source, [&](const WIN32_FIND_DATA& d) {
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    CopyFile(d.cFileName, (dest + d.cFileName).c_str(), FALSE);
  });
  return 0;
}

LONG WINAPI Ytn1RemoveDirectory(LPCSTR folder) {
  bool entered = ForEachEntry(folder, [](const WIN32_FIND_DATA& d) {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFile(d.cFileName);
  });
  if (entered) RemoveDirectory(folder);
  return 0;
}

}  // extern "C"
