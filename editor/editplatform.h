// The few services of the system that the edit buffer calls: the
// application profile, private-profile files, the program's folder and a
// message box.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

// The application profile; an empty section is the application's own key.
CString EditProfileString(const CString& section, const char* key, const char* def);
int EditProfileInt(const CString& section, const char* key, int def);

// The entries of a section of a private-profile file, in file order
// (key, value); empty when the file or section is missing.
std::vector<std::pair<std::string, std::string>> EditIniSection(const char* path, const char* section);

// The program's own folder, ending with "/".
std::string EditProgramDir();

// Tells the user something (an exclamation message box).
void EditMessage(const char* text);

// Asks the user a question (a Yes/No box, No the default); true for Yes.
bool EditAsk(const char* text);

// What shows that a file was changed: its last write time and size.
struct EditFileStamp {
  FILETIME lastWrite{};
  DWORD sizeLow = 0;
  DWORD sizeHigh = 0;
  bool SameAs(const EditFileStamp& o) const {
    return lastWrite.dwLowDateTime == o.lastWrite.dwLowDateTime &&
           lastWrite.dwHighDateTime == o.lastWrite.dwHighDateTime && sizeLow == o.sizeLow &&
           sizeHigh == o.sizeHigh;
  }
};
// The stamp of a file; false when it can not be opened.
bool EditFileStampOf(const char* path, EditFileStamp* stamp);

// The whole content of a file; false when it cannot be read.
bool EditReadFile(const char* path, std::string* bytes);

// Whether a file or folder of that name exists.
bool EditFileExists(const char* path);

// Letters and digits of the Windows-1252 code page.
bool EditIsAlphaNumeric(char c);
