#include "app/makefile_names.h"

#include <cstring>

#include "app/core/project_data.h"

namespace {

const char* NameOrEmpty(const char* s) { return s ? s : ""; }

constexpr char kStaticSwitch[] = "-static";
constexpr size_t kStaticSwitchLength = sizeof kStaticSwitch - 1;

}  // namespace

bool UsesBorlandToolchain(const ProjectData& project) {
  return std::strstr(NameOrEmpty(project.compiler), "bcc") != nullptr;
}

std::string MakefilePathOf(const ProjectData& project) {
  std::string exe = NameOrEmpty(project.exeFile);
  return std::string(NameOrEmpty(project.projectDir)) + "\\" + exe.substr(0, exe.find('.')) + ".mak";
}

std::string ObjectNameOf(const char* source, const char* suffix) {
  std::string name = NameOrEmpty(source);
  size_t dot = name.rfind('.');
  size_t sep = name.find_last_of("\\/");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
    return name + "." + NameOrEmpty(suffix);
  return name.substr(0, dot + 1) + NameOrEmpty(suffix);
}

std::string GnuToolDir(const char* toolDir) {
  std::string dir = NameOrEmpty(toolDir);
  size_t usr = dir.find("\\usr\\");
  if (usr != std::string::npos) dir = dir.substr(usr);
  for (char& c : dir)
    if (c == '\\') c = '/';
  return dir;
}

std::string JoinLinkerOptions(const char* linkFlags) {
  std::string in = NameOrEmpty(linkFlags), out;
  size_t i = 0;
  auto copyWord = [&] {
    while (i < in.size() && in[i] != ' ') out += in[i++];
  };
  while (i < in.size()) {
    if (in[i] != '-') {
      ++i;
      continue;
    }
    // "-static" goes to gcc itself: behind -Wl gcc still asks the linker for
    // its shared support library, which a static link cannot find.
    if (in.compare(i, kStaticSwitchLength, kStaticSwitch) == 0 &&
        (i + kStaticSwitchLength == in.size() || in[i + kStaticSwitchLength] == ' ')) {
      out += " -static";
      i += kStaticSwitchLength;
      continue;
    }
    out += " -Wl,";
    copyWord();
    if (i + 1 < in.size() && in[i + 1] != ' ' && in[i + 1] != '-') {
      out += ',';
      ++i;
      copyWord();
    }
  }
  return out;
}
