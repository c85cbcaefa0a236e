// The command lines of the build commands: make for a makefile project (per
// toolchain), the Pascal compiler once per Pascal source.
#pragma once

#include <string>
#include <vector>

class ProjectData;

enum class BuildKind { kMake, kBuildAll };

// "TOOLDIR\MAKE -fMAKEFILE" (Borland-style; "-B" for Build All), or
// "TOOLDIR\MAKE " and "TOOLDIR\MAKE rebuild" (GNU).
std::string MakeCommandLine(const ProjectData& project, BuildKind kind);

// One compiler call per source that ends in ".pas" (any case), in stored
// order: "TOOLDIR\PASC -UUNITDIRS -M SOURCE", without "-U" when UNITDIRS
// is empty. The compiler's output goes to kPascalOutputFile, which the IDE
// writes itself.
std::vector<std::string> PascalCommandLines(const ProjectData& project);

// The file in the project folder that collects the Pascal compilers' output.
constexpr const char* kPascalOutputFile = "out";
// The line the Build pane shows after the compiler calls.
constexpr const char* kPascalBuildRule = "#########################################################\n";

// The names by which make's output shows that a compiler ran: the GNU cross
// compilers, and for a GNU project its CC as the makefile names it.
std::vector<std::string> CompilerNamesOf(const ProjectData& project);
