// Private-profile (INI) files with Windows' rules.
//
// File names: a name without a folder ("mirt2.ini") lives in the user's
// settings folder (plat::SettingsDir()), where Windows would use its own
// folder; a name with a folder, relative or absolute, is used as given.
// "\" is accepted as a separator. Files are read with CR LF, LF or CR line
// ends and written with CR LF, atomically (a failed write leaves the old
// file whole). Section and key names are compared without letter case.
//
// Lists (section names, key names, section lines) are strings each ended
// by a NUL, with one more NUL after the last. Too small a buffer for a
// list gives the truncated list, still ended by two NULs, and size - 2;
// too small a buffer for a value gives the truncated value and size - 1.
#pragma once

#include <optional>
#include <string>

#include "platform/base/windef.h"

// lpAppName NULL: the section names; lpKeyName NULL: the key names of the
// section. A missing key gives lpDefault (NULL: "") with trailing blanks
// removed. Values lose surrounding blanks and one pair of quotes.
DWORD GetPrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                              DWORD nSize, LPCSTR lpFileName);
// The value's leading decimal number (with sign); no digits give 0; a
// missing key gives nDefault.
UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);
// lpString NULL deletes the key; lpKeyName NULL deletes the section.
BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);
// The section's "key=value" lines as a list.
DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
// Replaces the section's lines with the list lpString ("key=value\0...\0");
// NULL deletes the section.
BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName);
DWORD GetPrivateProfileSectionNames(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName);
// Binary data as hexadecimal digits followed by a checksum byte (the sum
// of the bytes); reading fails unless size and checksum match.
BOOL GetPrivateProfileStruct(LPCSTR lpszSection, LPCSTR lpszKey, LPVOID lpStruct, UINT uSizeStruct,
                             LPCSTR szFile);
BOOL WritePrivateProfileStruct(LPCSTR lpszSection, LPCSTR lpszKey, LPVOID lpStruct, UINT uSizeStruct,
                               LPCSTR szFile);

namespace plat {

// Where a private-profile file name is kept (see above).
std::string ResolveProfileFileName(const std::string& fileName);

// A value read whole, without a length limit; nullopt when the key is
// missing (or the file cannot be read).
std::optional<std::string> ReadProfileValue(const std::string& fileName, const std::string& section,
                                            const std::string& key);

}  // namespace plat
