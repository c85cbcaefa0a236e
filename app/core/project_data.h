// The open project: its file, environment, tools and options, board and
// connection, and four file lists. One process-wide instance, g_project.
#pragma once

#include <string>

#include "app/core/environ.h"
#include "app/core/project_file_list.h"
#include "platform/base/windef.h"

class CEnvironmentList;

// Project kinds.
constexpr WORD kProjectKindMake = 1;
constexpr WORD kProjectKindPascal = 2;

// Card classes (project key CARDCLASS).
constexpr WORD kCardClassQJ = 1;     // "QJX"
constexpr WORD kCardClassTRail = 2;  // "TRAIL", the ZOR family

// Load and Save modes.
constexpr int kProjectFile = 1;
constexpr int kProjectTemplate = 2;

class ProjectData {
 public:
  ProjectData();
  ~ProjectData();
  ProjectData(const ProjectData&) = delete;
  ProjectData& operator=(const ProjectData&) = delete;

  // Texts are heap strings owned by the project (null = not set); change
  // them only through the setters, which keep the modified flag.
  char* filePath = nullptr;  // project file (or template) to load or save
  CEnviron environment;      // borrowed from the environment list
  char* exeFile = nullptr;
  char* insFile = nullptr;
  char* projectDir = nullptr;  // folder of the project file, no trailing separator
  char* incDirs = nullptr;
  char* libDirs = nullptr;  // separated by ";"
  char* unitDirs = nullptr;
  char* toolDir = nullptr;
  char* makeCommand = nullptr;
  char* compiler = nullptr;
  char* assembler = nullptr;
  char* linker = nullptr;
  char* objSuffix = nullptr;  // without the dot
  char* pascalCompiler = nullptr;
  char* cFlags = nullptr;
  char* linkFlags = nullptr;
  char* asmFlags = nullptr;
  char* pasFlags = nullptr;
  WORD cardNumber = 0;
  WORD cardClass = kCardClassTRail;
  WORD pcPort = 0;  // 0: the kernel is reached through the board driver
  WORD cardInterface = 0;
  DWORD baudRate = 0;
  WORD debuggeeNum = 0;
  WORD kernelNum = 255;
  char* kernelDir = nullptr;  // ends with a separator after loading
  WORD kind = 0;              // kProjectKindMake or kProjectKindPascal, set by Load
  BOOL dirty = FALSE;
  ProjectFileList libs;
  ProjectFileList objs;
  ProjectFileList sources;
  ProjectFileList headers;

  // The environments that ENVIRON names are looked up in (not owned).
  void SetEnvironmentList(const CEnvironmentList* list) { m_environments = list; }

  // File path and folder; neither marks the project modified.
  void SetFilePath(const char* path);
  void SetProjectDir(const char* dir);

  void SetIncDirs(const char* text);
  void SetLibDirs(const char* text);
  void SetUnitDirs(const char* text);
  void SetToolDir(const char* text);
  void SetKernelDir(const char* text);  // stored as given
  void SetMakeCommand(const char* text);
  void SetCompiler(const char* text);
  void SetAssembler(const char* text);
  void SetPascalCompiler(const char* text);
  void SetLinker(const char* text);
  void SetObjSuffix(const char* text);
  void SetCFlags(const char* text);
  void SetLinkFlags(const char* text);
  void SetAsmFlags(const char* text);
  void SetPasFlags(const char* text);
  void SetInsFile(const char* text);
  void SetExeFile(const char* text);

  void SetCardNumber(WORD value);
  void SetCardClass(WORD value);
  void SetCardInterface(WORD value);
  void SetPcPort(WORD value);
  void SetDebuggeeNum(WORD value);
  void SetKernelNum(WORD value);
  void SetBaudRate(DWORD value);

  // Each marks the project modified, then adds the name unless the list
  // has it already (ignoring case).
  void AddSourceFile(const char* name);
  void AddHeaderFile(const char* name);
  void AddLibrary(const char* name);
  void AddObjectFile(const char* name);
  // Marks the project modified and removes the first entry equal to the
  // name (ignoring case) from sources, else headers, else libs, else objs.
  void RemoveFile(const char* name);

  POSITION BeginSources() { return sources.Begin(); }
  BOOL AtEndSources() const { return sources.AtEnd(); }
  const char* GetSource() const { return sources.Get(); }
  void NextSource() { sources.Next(); }
  POSITION BeginHeaders() { return headers.Begin(); }
  BOOL AtEndHeaders() const { return headers.AtEnd(); }
  const char* GetHeader() const { return headers.Get(); }
  void NextHeader() { headers.Next(); }
  POSITION BeginLibs() { return libs.Begin(); }
  BOOL AtEndLibs() const { return libs.AtEnd(); }
  const char* GetLib() const { return libs.Get(); }
  void NextLib() { libs.Next(); }
  POSITION BeginObjs() { return objs.Begin(); }
  BOOL AtEndObjs() const { return objs.AtEnd(); }
  const char* GetObj() const { return objs.Get(); }
  void NextObj() { objs.Next(); }

  // Frees the paths, every text and every list entry and clears the
  // modified flag; numbers, kind and environment stay as they are.
  void Clear();
  void MarkSaved() { dirty = FALSE; }
  BOOL IsDirty() const { return dirty; }

  // Reads filePath as a project (kProjectFile) or template
  // (kProjectTemplate) into the project, adding to what is there. The
  // file must begin with its VERSION line. 1 on success; failures (also a
  // file that could not be read to its end) are shown in a message box and
  // give 0.
  int Load(int mode);
  // Writes the project (kProjectFile) or, for any other mode, the template
  // to filePath. The new file replaces the old one in one step; on failure
  // the old file stays whole, a message box says so and the result is
  // FALSE. The modified flag is left alone (callers use MarkSaved).
  BOOL Save(int mode);
  // The bytes Save writes for the mode.
  std::string FileText(int mode) const;
  // Fills in a new project's own values after its template was loaded:
  // environment, executable (".elf" for the "gnuopt.dll" environments,
  // else ".exe"), installation file and project folder.
  void InitNewProject(const char* baseName, const char* dir, const char* environmentName);

 private:
  // Looks the name up in the environment list; the record is left as it
  // was when the name is unknown.
  void UseEnvironment(const char* name);
  void ReplaceText(char*& field, const char* text);
  void SetText(char*& field, const char* text);
  void SetWord(WORD& field, WORD value);
  void AddUnique(ProjectFileList& list, const char* name);

  const CEnvironmentList* m_environments = nullptr;
};

extern ProjectData g_project;
