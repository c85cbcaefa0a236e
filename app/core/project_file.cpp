// Loading and saving projects and templates, and a new project's own values.
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/core/environment_list.h"
#include "app/core/keyvalue_file.h"
#include "app/core/project_data.h"
#include "app/core/project_keys.h"
#include "app/core/scoped_handle.h"
#include "app/core/text_helpers.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr const char* kProjectMagic = "MIRT-KPJ0";
constexpr const char* kTemplateMagic = "MIRT-KPT0";

void ShowError(const char* text) { MessageBox(nullptr, text, "error", MB_OK); }

// Leading decimal digits after an optional sign (as written with "%ld"),
// wrapping in 32 bits; none give 0.
DWORD ReadDecimal(const char* text) {
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  DWORD value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + DWORD(*text - '0');
  return negative ? DWORD(0) - value : value;
}

bool EndsWithNoCase(const char* text, const char* tail) {
  size_t n = strlen(text), m = strlen(tail);
  return n >= m && CString(text + n - m).CompareNoCase(tail) == 0;
}

void ReplaceField(char*& field, HeapText& value) {
  free(field);
  field = value.release();
}

// A kernel folder names files by appending their names.
void EndWithSeparator(char*& dir) {
  size_t n = strlen(dir);
  if (n == 0 || dir[n - 1] == '/' || dir[n - 1] == '\\') return;
  char* longer = static_cast<char*>(realloc(dir, n + 2));
  if (!longer) abort();
  longer[n] = '/';
  longer[n + 1] = '\0';
  dir = longer;
}

// Cuts the value at blanks; every non-empty piece goes through the
// project's add operation.
void AddListValue(ProjectData& p, ProjectFileList& list, const char* value) {
  std::string names(value);
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(' ', start);
    if (end == std::string::npos) end = names.size();
    if (end > start) {
      p.dirty = TRUE;
      list.Add(names.substr(start, end - start).c_str());
    }
    start = end + 1;
  }
}

std::string ListValue(const ProjectFileList& list) {
  std::string value;
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    value.append(list.GetNext(pos)).append(" ");
  }
  return value;
}

// Why the reading stopped before the end of the file.
std::string StopText(const char* what, KeyValueRead result) {
  switch (result) {
    case kKeyValueTooLong:
      return std::string(what) + " has a line that is too long";
    case kKeyValueNulByte:
      return std::string(what) + " is not a text file";
    default:
      return std::string(what) + " could not be read";
  }
}

std::string FolderOf(const char* path) {
  const char* name = FileNameFromPath(path);
  return name == path ? std::string() : std::string(path, size_t(name - path - 1));
}

void TakeValue(ProjectData& p, const ProjectKey& k, HeapText& value) {
  switch (k.kind) {
    case ProjectKeyKind::kEnviron:
      break;  // handled by the project, which knows the environment list
    case ProjectKeyKind::kText:
      ReplaceField(p.*k.text, value);
      break;
    case ProjectKeyKind::kKernelDir:
      ReplaceField(p.*k.text, value);
      EndWithSeparator(p.*k.text);
      break;
    case ProjectKeyKind::kList:
      AddListValue(p, p.*k.list, value.get());
      break;
    case ProjectKeyKind::kWord:
      p.*k.word = WORD(ReadDecimal(value.get()));
      break;
    case ProjectKeyKind::kDword:
      p.*k.dword = ReadDecimal(value.get());
      break;
    case ProjectKeyKind::kCardClass:
      p.cardClass = strstr(value.get(), "TRAIL") ? kCardClassTRail : kCardClassQJ;
      break;
  }
}

void AppendValue(std::string& text, const ProjectData& p, const ProjectKey& k) {
  switch (k.kind) {
    case ProjectKeyKind::kEnviron:
      AppendKeyValueLine(text, k.key, p.environment.name);
      break;
    case ProjectKeyKind::kText:
    case ProjectKeyKind::kKernelDir:
      AppendKeyValueLine(text, k.key, p.*k.text);
      break;
    case ProjectKeyKind::kList:
      AppendKeyValueLine(text, k.key, ListValue(p.*k.list).c_str());
      break;
    case ProjectKeyKind::kWord:
      AppendKeyNumberLine(text, k.key, LONG(p.*k.word));
      break;
    case ProjectKeyKind::kDword:
      AppendKeyNumberLine(text, k.key, LONG(p.*k.dword));
      break;
    case ProjectKeyKind::kCardClass:
      AppendKeyValueLine(text, k.key, p.cardClass == kCardClassTRail ? "TRAIL" : "QJX");
      break;
  }
}

}  // namespace

void ProjectData::UseEnvironment(const char* name) {
  if (m_environments) m_environments->FindEnvironment(name, environment);
}

int ProjectData::Load(int mode) {
  const bool project = mode != kProjectTemplate;
  if (project) SetProjectDir(filePath ? FolderOf(filePath).c_str() : "");
  HANDLE file = filePath ? CreateFile(filePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)
                         : INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE) {
    ShowError(project ? "Project File could not be opened" : "Project Template could not be opened");
    return 0;
  }
  ScopedHandle closer(file);
  const char* what = project ? "Project File" : "Project Template";
  const char* wrongVersion = project ? "kpj file has wrong version" : "kpt file has wrong version";
  HeapText key;
  HeapText value;
  KeyValueRead r = ReadKeyValueLine(file, key, value);
  // The first line must be the header: anything else is no file of ours.
  if (r == kKeyValueEnd || (r == kKeyValueLine && strcmp(key.get(), "VERSION") != 0)) {
    ShowError(wrongVersion);
    return 0;
  }
  for (; r == kKeyValueLine; r = ReadKeyValueLine(file, key, value)) {
    if (strcmp(key.get(), "VERSION") == 0) {
      if (strcmp(value.get(), project ? kProjectMagic : kTemplateMagic) == 0) continue;
      ShowError(wrongVersion);
      return 0;
    }
    const ProjectKey* k = FindProjectKey(key.get());
    if (!k) continue;
    if (k->kind == ProjectKeyKind::kEnviron) {
      UseEnvironment(value.get());
    } else {
      TakeValue(*this, *k, value);
    }
  }
  if (r != kKeyValueEnd) {
    ShowError(StopText(what, r).c_str());
    return 0;
  }
  kind = kProjectKindMake;
  for (POSITION pos = sources.GetHeadPosition(); pos;) {
    if (EndsWithNoCase(sources.GetNext(pos), ".pas")) kind = kProjectKindPascal;
  }
  for (size_t i = 0; i < kProjectKeyCount; ++i) {
    const ProjectKey& k = kProjectKeys[i];
    if (k.text && !(this->*k.text)) ReplaceText(this->*k.text, "");
  }
  return 1;
}

std::string ProjectData::FileText(int mode) const {
  const bool project = mode == kProjectFile;
  std::string text;
  AppendKeyValueLine(text, "VERSION", project ? kProjectMagic : kTemplateMagic);
  for (size_t i = 0; i < kProjectKeyCount; ++i) {
    const ProjectKey& k = kProjectKeys[i];
    if (project || !k.projectOnly) AppendValue(text, *this, k);
  }
  return text;
}

BOOL ProjectData::Save(int mode) {
  const bool project = mode == kProjectFile;
  std::string text = FileText(mode);
  if (filePath && *filePath && KeyValueTextReadable(text) && plat::ReplaceFileAtomically(filePath, text))
    return TRUE;
  ShowError(project ? "Project File could not be saved" : "Project Template could not be saved");
  return FALSE;
}

void ProjectData::InitNewProject(const char* baseName, const char* dir, const char* environmentName) {
  UseEnvironment(environmentName);
  std::string base(baseName ? baseName : "");
  const bool gnu = environment.settings && strcmp(environment.settings, "gnuopt.dll") == 0;
  ReplaceText(exeFile, (base + (gnu ? ".elf" : ".exe")).c_str());
  ReplaceText(insFile, (base + ".ins").c_str());
  ReplaceText(projectDir, dir);
  dirty = TRUE;
}
