#include "ytn1/help_viewer.h"

#include "platform/sys/path.h"

namespace ytn1 {

std::vector<HelpRequest>& HelpRequests() {
  static std::vector<HelpRequest> requests;
  return requests;
}

bool DisplayHelpTopic(const std::string& file, const std::string& topic) {
  HelpRequests().push_back({file, topic});
  return plat::FileExists(file);
}

}  // namespace ytn1

#include "ytn1/prompt.h"
#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

extern "C" WORD WINAPI ShowHelpFile(LPCSTR file, LPCSTR topic, DWORD) {
  std::string path = std::string(ytn1::Settings().ytn32Path) + "\\help\\" + (file ? file : "");
  if (!ytn1::DisplayHelpTopic(path, topic ? topic : "")) ytn1::ShowMessage("Help File Error", nullptr, MB_OK);
  return 0;
}
