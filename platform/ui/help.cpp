#include "platform/ui/help.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/sys/path.h"
#include "platform/ui/modal.h"
#include "platform/ui/system_classes.h"
#include "platform/ui/window.h"

namespace mirt_ui {
namespace {

const char kHelpClass[] = "MirtHelpWindow";

LRESULT CALLBACK HelpProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

void RegisterHelpClass() {
  WNDCLASS wc{};
  wc.lpfnWndProc = HelpProc;
  wc.lpszClassName = kHelpClass;
  wc.style = CS_GLOBALCLASS;
  RegisterClass(&wc);
}
const bool kHelpRegistered = AddSystemClass(&RegisterHelpClass);

// The folder of a help file: the name as a folder, else without ".chm".
std::string HelpFolder(const std::string& file) {
  std::string path = plat::NormalizeSeparators(file);
  if (!plat::IsAbsolutePath(path)) path = plat::JoinPath(plat::ProgramDir(), path);
  if (plat::DirectoryExists(path)) return path;
  size_t dot = path.rfind('.');
  if (dot != std::string::npos && path.find('/', dot) == std::string::npos) {
    std::string bare = path.substr(0, dot);
    if (plat::DirectoryExists(bare)) return bare;
  }
  return std::string();
}

HWND HelpWindow() {
  static HWND h = nullptr;
  if (!h || !IsWindow(h))
    h = CreateWindowEx(0, kHelpClass, "Help", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  return h;
}

}  // namespace

std::string ResolveHelpPage(const char* file, const char* topic) {
  if (!file || !*file) return std::string();
  std::string f = file, t = topic ? topic : "";
  size_t window = f.find('>');
  if (window != std::string::npos) f.resize(window);
  size_t sep = f.find("::");
  if (sep != std::string::npos) {
    if (t.empty()) t = f.substr(sep + 2);
    f.resize(sep);
  }
  std::string folder = HelpFolder(f);
  if (folder.empty()) return std::string();
  t = plat::NormalizeSeparators(t);
  while (!t.empty() && t[0] == '/') t.erase(0, 1);
  if (t.find("..") != std::string::npos) return std::string();  // stays inside the help folder
  if (t.empty()) {
    for (const char* d : {"index.htm", "index.html", "default.htm", "default.html"})
      if (plat::FileExists(plat::JoinPath(folder, d))) return plat::JoinPath(folder, d);
    return std::string();
  }
  std::string page = plat::JoinPath(folder, t);
  return plat::FileExists(page) ? page : std::string();
}

}  // namespace mirt_ui

using namespace mirt_ui;

HWND HtmlHelp(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
  if (command == HH_CLOSE_ALL) {
    return nullptr;
  }
  const char* topic = command == HH_DISPLAY_TOPIC && data ? reinterpret_cast<const char*>(data) : nullptr;
  std::string page = ResolveHelpPage(file, topic);
  RecordModal("help", page.empty() ? std::string(file ? file : "") : page, page.empty() ? 0 : 1);
  if (page.empty()) return nullptr;
  RegisterSystemClasses();
  HWND h = HelpWindow();
  SetWindowText(h, page.c_str());
  if (!plat::IsHeadless())
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(page.c_str())));
  return h;
}

BOOL WinHelp(HWND owner, LPCSTR file, UINT command, ULONG_PTR) {
  if (command == HELP_QUIT) return TRUE;
  return HtmlHelp(owner, file, HH_DISPLAY_TOPIC, 0) != nullptr;
}
