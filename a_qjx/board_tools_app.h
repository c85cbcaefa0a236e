// The library's application object: its profile under
// HKEY_CURRENT_USER\Software\KALVEN\YTN32 and the defaults written when the
// library starts. Every export opens a LibraryScope first, which starts the
// application once.
#pragma once
#include "platform/base/cstring.h"
#include "platform/afx/modulestate.h"
#include "platform/base/windef.h"

class CBoardToolsApp {
 public:
  BOOL InitInstance();
  int ExitInstance() { return 0; }

  // Profile entries of a section (strings up to 200 characters).
  CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue);
  UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
  BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
  BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);

  // The help of the board tools, at its first topic.
  static void ShowHelp();

  static constexpr const char* kProfileKey = "Software\\KALVEN\\YTN32";
  static constexpr const char* kInsEditorSection = "InsEditor";
};

CBoardToolsApp& BoardToolsApp();

// Starts the application once and makes the library's resources current
// while an export runs.
class LibraryScope {
 public:
  LibraryScope();
  LibraryScope(const LibraryScope&) = delete;
  LibraryScope& operator=(const LibraryScope&) = delete;

 private:
  AFX_MAINTAIN_STATE2 resources_;
};
