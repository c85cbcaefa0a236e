// Writes the build description of the open project before a Make or
// Build All: a GNU "Makefile", or for the Borland-style toolchain a ".mak"
// makefile, its "objects" file and the environment's base makefile. Then
// saves the modified sources, clears the Build pane and puts the tool
// folder on this process's PATH (once), which make and the tools inherit.
#pragma once

#include <string>

#include "platform/base/windef.h"

class CMakefileHost;
class ProjectData;

class CMakefileWriter {
 public:
  CMakefileWriter(const ProjectData& project, CMakefileHost& host);

  // makefilePath: where the ".mak" goes (MakefilePathOf); the GNU branch
  // ignores it. "Makefile" and "objects" go to the current folder.
  // Failures are shown in boxes (caption "MIRT Error") and skip the rest.
  void WriteMakefile(LPCSTR makefilePath);

  // The folder of the base makefiles (default: the program's folder).
  void SetInstallationDir(const std::string& dir) { m_installDir = dir; }

  // The texts the two branches write.
  std::string GnuMakefileText() const;
  std::string ObjectsFileText() const;
  std::string BorlandMakefileHead() const;

 private:
  bool WriteGnu();
  bool WriteBorland(LPCSTR makefilePath);
  void CommonTail(bool saveDocuments);
  std::string SourceObjects() const;  // "name " per source object

  const ProjectData& m_project;
  CMakefileHost& m_host;
  std::string m_installDir;
};

// Puts the tool folder in front of PATH unless PATH already holds it.
void PutToolDirOnPath(const char* toolDir);
