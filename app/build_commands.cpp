#include "app/build_commands.h"

#include <strings.h>

#include "app/core/project_data.h"
#include "app/makefile_names.h"

namespace {

std::string BuildCommandsText(const char* s) { return s ? s : ""; }

bool BuildCommandsIsPascalSource(const std::string& name) {
  constexpr size_t kSuffixLength = 4;
  return name.size() >= kSuffixLength && strcasecmp(name.c_str() + name.size() - kSuffixLength, ".pas") == 0;
}

}  // namespace

std::string MakeCommandLine(const ProjectData& project, BuildKind kind) {
  std::string make = BuildCommandsText(project.toolDir) + "\\" + BuildCommandsText(project.makeCommand);
  if (UsesBorlandToolchain(project))
    return make + (kind == BuildKind::kBuildAll ? " -B" : "") + " -f" + MakefilePathOf(project);
  return make + (kind == BuildKind::kBuildAll ? " rebuild" : " ");
}

std::vector<std::string> PascalCommandLines(const ProjectData& project) {
  std::string compiler =
      BuildCommandsText(project.toolDir) + "\\" + BuildCommandsText(project.pascalCompiler);
  std::string units = BuildCommandsText(project.unitDirs);
  std::vector<std::string> lines;
  for (POSITION pos = project.sources.GetHeadPosition(); pos;) {
    std::string source = static_cast<const char*>(project.sources.GetNext(pos));
    if (!BuildCommandsIsPascalSource(source)) continue;
    lines.push_back(compiler + (units.empty() ? "" : " -U" + units) + " -M " + source);
  }
  return lines;
}

std::vector<std::string> CompilerNamesOf(const ProjectData& project) {
  std::vector<std::string> names = {"xscale-elf-gcc", "xscale-elf-g++"};
  std::string cc = BuildCommandsText(project.compiler);
  if (!UsesBorlandToolchain(project) && !cc.empty()) names.push_back(GnuToolDir(project.toolDir) + "/" + cc);
  return names;
}
