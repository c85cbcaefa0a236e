// Which project list and tree group a file added to the project goes to,
// and the name it is stored under.
#pragma once

#include <string>

enum class ProjectFileGroup {
  kSource,        // .c .pas .asm .cpp .s
  kHeader,        // .h
  kLibrary,       // .lib
  kObject,        // anything else: object list, shown with the libraries
  kInstallation,  // .ins
};

struct ProjectFileRoute {
  ProjectFileGroup group;
  std::string name;  // relative to the project directory where possible
};

// path: the file as chosen or dropped; projectDir and libDirs (";"-separated)
// of the open project, either may be null.
ProjectFileRoute RouteProjectFile(const char* path, const char* projectDir, const char* libDirs);
