#include "app/makefile_names.h"

#include <cstring>

#include "app/core/project_data.h"

namespace {

const char* Text(const char* s) { return s ? s : ""; }

}  // namespace

bool UsesBorlandToolchain(const ProjectData& project) {
  return std::strstr(Text(project.compiler), "bcc") != nullptr;
}

std::string MakefilePathOf(const ProjectData& project) {
  std::string exe = Text(project.exeFile);
  return std::string(Text(project.projectDir)) + "\\" + exe.substr(0, exe.find('.')) + ".mak";
}

std::string ObjectNameOf(const char* source, const char* suffix) {
  std::string name = Text(source);
  size_t dot = name.rfind('.');
  size_t sep = name.find_last_of("\\/");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return name + "." + Text(suffix);
  return name.substr(0, dot + 1) + Text(suffix);
}

std::string GnuToolDir(const char* toolDir) {
  std::string dir = Text(toolDir);
  size_t usr = dir.find("\\usr\\");
  if (usr != std::string::npos) dir = dir.substr(usr);
  for (char& c : dir)
    if (c == '\\') c = '/';
  return dir;
}

std::string JoinLinkerOptions(const char* linkFlags) {
  std::string in = Text(linkFlags), out;
  size_t i = 0;
  auto copyWord = [&] {
    while (i < in.size() && in[i] != ' ') out += in[i++];
  };
  while (i < in.size()) {
    if (in[i] != '-') {
      ++i;
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
