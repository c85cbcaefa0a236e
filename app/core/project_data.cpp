#include "app/core/project_data.h"

#include <cstdlib>
#include <cstring>

ProjectData g_project;

namespace {

char* HeapCopy(const char* text) {
  if (!text) return nullptr;
  char* copy = strdup(text);
  if (!copy) abort();
  return copy;
}

void FreeText(char*& field) {
  free(field);
  field = nullptr;
}

}  // namespace

ProjectData::ProjectData() = default;

ProjectData::~ProjectData() { Clear(); }

void ProjectData::ReplaceText(char*& field, const char* text) {
  char* copy = HeapCopy(text);
  free(field);
  field = copy;
}

void ProjectData::SetText(char*& field, const char* text) {
  ReplaceText(field, text);
  dirty = TRUE;
}

void ProjectData::SetWord(WORD& field, WORD value) {
  field = value;
  dirty = TRUE;
}

void ProjectData::SetFilePath(const char* path) { ReplaceText(filePath, path); }
void ProjectData::SetProjectDir(const char* dir) { ReplaceText(projectDir, dir); }

void ProjectData::SetIncDirs(const char* text) { SetText(incDirs, text); }
void ProjectData::SetLibDirs(const char* text) { SetText(libDirs, text); }
void ProjectData::SetUnitDirs(const char* text) { SetText(unitDirs, text); }
void ProjectData::SetToolDir(const char* text) { SetText(toolDir, text); }
void ProjectData::SetKernelDir(const char* text) { SetText(kernelDir, text); }
void ProjectData::SetMakeCommand(const char* text) { SetText(makeCommand, text); }
void ProjectData::SetCompiler(const char* text) { SetText(compiler, text); }
void ProjectData::SetAssembler(const char* text) { SetText(assembler, text); }
void ProjectData::SetPascalCompiler(const char* text) { SetText(pascalCompiler, text); }
void ProjectData::SetLinker(const char* text) { SetText(linker, text); }
void ProjectData::SetObjSuffix(const char* text) { SetText(objSuffix, text); }
void ProjectData::SetCFlags(const char* text) { SetText(cFlags, text); }
void ProjectData::SetLinkFlags(const char* text) { SetText(linkFlags, text); }
void ProjectData::SetAsmFlags(const char* text) { SetText(asmFlags, text); }
void ProjectData::SetPasFlags(const char* text) { SetText(pasFlags, text); }
void ProjectData::SetInsFile(const char* text) { SetText(insFile, text); }
void ProjectData::SetExeFile(const char* text) { SetText(exeFile, text); }

void ProjectData::SetCardNumber(WORD value) { SetWord(cardNumber, value); }
void ProjectData::SetCardClass(WORD value) { SetWord(cardClass, value); }
void ProjectData::SetCardInterface(WORD value) { SetWord(cardInterface, value); }
void ProjectData::SetPcPort(WORD value) { SetWord(pcPort, value); }
void ProjectData::SetDebuggeeNum(WORD value) { SetWord(debuggeeNum, value); }
void ProjectData::SetKernelNum(WORD value) { SetWord(kernelNum, value); }

void ProjectData::SetBaudRate(DWORD value) {
  baudRate = value;
  dirty = TRUE;
}

void ProjectData::AddUnique(ProjectFileList& list, const char* name) {
  dirty = TRUE;
  list.Add(name);
}

void ProjectData::AddSourceFile(const char* name) { AddUnique(sources, name); }
void ProjectData::AddHeaderFile(const char* name) { AddUnique(headers, name); }
void ProjectData::AddLibrary(const char* name) { AddUnique(libs, name); }
void ProjectData::AddObjectFile(const char* name) { AddUnique(objs, name); }

void ProjectData::RemoveFile(const char* name) {
  dirty = TRUE;
  sources.Remove(name) || headers.Remove(name) || libs.Remove(name) || objs.Remove(name);
}

void ProjectData::Clear() {
  for (char** field : {&filePath, &projectDir, &exeFile, &insFile, &incDirs, &libDirs, &unitDirs, &toolDir,
                       &makeCommand, &compiler, &assembler, &linker, &objSuffix, &pascalCompiler, &cFlags,
                       &linkFlags, &asmFlags, &pasFlags, &kernelDir}) {
    FreeText(*field);
  }
  for (ProjectFileList* list : {&sources, &headers, &libs, &objs}) list->RemoveAll();
  dirty = FALSE;
}
