#include "editor/editplatform.h"

#include "platform/base/charcase.h"
#include "platform/sys/file.h"
#include "platform/sys/inifile.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/sys/profile.h"

#include <cstring>

CString EditProfileString(const CString& section, const char* key, const char* def) {
  return plat::Profile::App().GetProfileString(section, key, def);
}

int EditProfileInt(const CString& section, const char* key, int def) {
  return static_cast<int>(plat::Profile::App().GetProfileInt(section, key, def));
}

std::vector<std::pair<std::string, std::string>> EditIniSection(const char* path, const char* section) {
  std::vector<std::pair<std::string, std::string>> entries;
  // The section comes as "key=value" strings, each ended by a NUL.
  std::vector<char> buffer(1 << 16);
  DWORD n;
  while ((n = GetPrivateProfileSection(section, buffer.data(), (DWORD)buffer.size(), path)) ==
             buffer.size() - 2 &&
         buffer.size() < (1u << 24)) {
    buffer.resize(buffer.size() * 4);
  }
  for (const char* p = buffer.data(); p < buffer.data() + n && *p != '\0'; p += std::strlen(p) + 1) {
    const char* eq = std::strchr(p, '=');
    if (eq == nullptr)
      entries.emplace_back(p, std::string());
    else
      entries.emplace_back(std::string(p, eq - p), std::string(eq + 1));
  }
  return entries;
}

std::string EditProgramDir() {
  std::string dir = plat::ProgramDir();
  if (dir.empty()) return "./";
  return dir.back() == '/' ? dir : dir + "/";
}

void EditMessage(const char* text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }

bool EditAsk(const char* text) {
  return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool EditFileStampOf(const char* path, EditFileStamp* stamp) {
  HANDLE file = CreateFile(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileTime(file, nullptr, nullptr, &stamp->lastWrite);
  stamp->sizeLow = GetFileSize(file, &stamp->sizeHigh);
  CloseHandle(file);
  return ok;
}

bool EditReadFile(const char* path, std::string* bytes) {
  HANDLE file =
      CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[1 << 14];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0) {
    bytes->append(chunk, got);
  }
  CloseHandle(file);
  return ok;
}

bool EditFileExists(const char* path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

bool EditIsAlphaNumeric(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  return (b >= '0' && b <= '9') || mirt::IsAlpha1252(b);
}
