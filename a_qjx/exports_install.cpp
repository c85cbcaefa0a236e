// The installation exports: running an installation file, the
// installation-file editor and the Module Device Driver installation.
#include <cstring>
#include <string>
#include <vector>

#include "a_qjx/a_qjx.h"
#include "a_qjx/board_family.h"
#include "a_qjx/board_tools_app.h"
#include "a_qjx/board_type_codes.h"
#include "a_qjx/ins_interpreter.h"
#include "a_qjx/tool_windows.h"
#include "platform/sys/file.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr const char* kInsFilter = "KALVEN installation files (*.ins) |*.ins||";
constexpr int kFolderBufferSize = 300;

CString CurrentDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    DWORD n = GetCurrentDirectory(DWORD(buffer.size()), buffer.data());
    if (n == 0) return "";
    if (n < buffer.size()) return CString(buffer.data());
    buffer.resize(n + 1);
  }
}

// The position of the last folder separator, -1 when there is none.
int LastSeparator(const CString& path) {
  int back = path.ReverseFind('\\'), slash = path.ReverseFind('/');
  return back > slash ? back : slash;
}

// Makes the file's folder the current one; the name to open from there.
CString EnterFileFolder(const CString& path) {
  int last = LastSeparator(path);
  if (last > 0 && SetCurrentDirectory(path.Left(last + 1))) return path.Mid(last + 1);
  return path;
}

}  // namespace

extern "C" {

WORD WINAPI a_qjx_install(LPCSTR file, WORD flags) {
  LibraryScope scope;
  const CString saved = CurrentDirectory();
  char insFolder[kFolderBufferSize] = {};
  GetInsPath(insFolder);
  SetCurrentDirectory(insFolder);
  CString name;
  if (file) {
    name = file;
  } else {
    std::string chosen;
    if (ytn1::AskFileName(false, "*.ins", kInsFilter, &chosen)) {
      name = chosen.c_str();
      SetInsPath(name.Left(LastSeparator(name) + 1));
    }
  }
  if (name.IsEmpty()) {
    SetInsPath(CurrentDirectory());
    SetCurrentDirectory(saved);
    return kInsFileNotOpened;
  }
  name = EnterFileFolder(name);
  InsInterpreter interpreter(flags);
  WORD result = interpreter.RunFile(name);
  SetInsPath(CurrentDirectory());
  SetCurrentDirectory(saved);
  interpreter.ExitCpu();
  return result;
}

void WINAPI a_qjx_ins(DWORD) {
  LibraryScope scope;
  InsInterpreter interpreter;
  if (ModalToolDialogs().insEditor) ModalToolDialogs().insEditor(interpreter);
  interpreter.ExitCpu();
}

WORD WINAPI a_qjx_install_mdd(DWORD type, DWORD task, LPCSTR folder) {
  LibraryScope scope;
  const WORD code = WORD(type);
  if (!IsQjBoardType(code)) return 1;
  CBoardFamily* family = FamilyForType(code);
  // Folder and library name must fit the driver's path.
  const size_t length = folder ? std::strlen(folder) : 0;
  if (length >= sizeof family->mddFolder) return 1;
  family->typeCode = code;
  std::memcpy(family->mddFolder, folder ? folder : "", length + 1);
  family->mddTask = WORD(task);
  g_currentFamily = family;
  return WORD(family->InstallMdd());
}

}  // extern "C"
