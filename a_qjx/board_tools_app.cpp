#include "a_qjx/board_tools_app.h"

#include "platform/sys/registry.h"
#include "ytn1/ytn1.h"

namespace {

constexpr int kStringBufferSize = 201;

// The section's key, created when missing; null on failure.
HKEY SectionKey(LPCSTR section) {
  CString path = CString(CBoardToolsApp::kProfileKey) + "\\" + section;
  HKEY key = nullptr;
  return CreateReg(path, &key) ? key : nullptr;
}

}  // namespace

CBoardToolsApp& BoardToolsApp() {
  static CBoardToolsApp app;
  return app;
}

BOOL CBoardToolsApp::InitInstance() {
  // The editor's defaults, written once when the profile has none.
  const char* s = kInsEditorSection;
  if (GetProfileString(s, "Keywords", "NOT") == "NOT") {
    WriteProfileInt(s, "Chroma", 1);
    WriteProfileString(s, "Keywords", "ins.ini");
    WriteProfileString(s, "Extra word chars", "#");
    WriteProfileString(s, "Comment Start 1", "'");
    WriteProfileString(s, "Comment End 1", "");
    WriteProfileString(s, "Comment Start 2", ";");
    WriteProfileString(s, "Comment End 2", "");
    WriteProfileInt(s, "Case", 1);
    WriteProfileInt(s, "Tab size", 4);
  }
  return TRUE;
}

CString CBoardToolsApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) {
  CString value = defaultValue;
  if (HKEY key = SectionKey(section)) {
    char text[kStringBufferSize] = {};
    if (ReadRegString(key, entry, text)) value = text;
    RegCloseKey(key);
  }
  return value;
}

UINT CBoardToolsApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) {
  UINT value = UINT(defaultValue);
  if (HKEY key = SectionKey(section)) {
    DWORD stored = 0;
    if (ReadRegDword(key, entry, &stored)) value = stored;
    RegCloseKey(key);
  }
  return value;
}

BOOL CBoardToolsApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
  HKEY key = SectionKey(section);
  if (!key) return FALSE;
  BOOL ok = WriteRegString(key, entry, value);
  RegCloseKey(key);
  return ok;
}

BOOL CBoardToolsApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value) {
  HKEY key = SectionKey(section);
  if (!key) return FALSE;
  BOOL ok = WriteRegDword(key, entry, DWORD(value));
  RegCloseKey(key);
  return ok;
}

void CBoardToolsApp::ShowHelp() { ShowHelpFile("ytn32.chm", "", 0); }

LibraryScope::LibraryScope() : resources_(AfxGetStaticModuleState()) {
  static const bool started = BoardToolsApp().InitInstance();
  (void)started;
}
