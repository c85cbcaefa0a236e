#include "debugger/ui/help_request.h"

#include <string>

#include "platform/sys/path.h"
#include "platform/ui/help.h"

bool ShowControlHelp(void* info, const char* topic, const DWORD* helpIds) {
  auto* request = static_cast<const DebuggerHelpInfo*>(info);
  if (!request || request->contextType != kHelpOnWindow) return false;
  const std::string file = plat::ProgramDir() + "\\" + topic;
  HtmlHelp(static_cast<HWND>(request->item), file.c_str(), kHtmlHelpPopupOnControl, DWORD_PTR(helpIds));
  return true;
}
