#include "app/core/config_reader.h"

#include <cstdlib>
#include <cstring>

#include "app/core/keyvalue_file.h"
#include "app/core/scoped_handle.h"
#include "platform/base/cstring.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/process_exit.h"

namespace {

constexpr const char* kMagic = "MIRT-CFG0";

[[noreturn]] void Fatal(const char* text, const char* caption) {
  MessageBox(nullptr, text, caption, MB_OK);
  ExitProcess(UINT(-1));
}

char* CEnviron::*FieldMember(int field) {
  static char* CEnviron::*const members[] = {&CEnviron::settings, &CEnviron::baseMakefile,
                                             &CEnviron::defaultProject};
  return members[field];
}

// A folder of that name is there but is no file.
const char* OpenFailureText(const char* path) {
  DWORD attributes = GetFileAttributes(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return "mirt.cfg is a folder, not a file";
  return "the file mirt.cfg could not be found";
}

// Why the reading stopped before the end of the file.
const char* StopText(KeyValueRead result) {
  switch (result) {
    case kKeyValueTooLong:
      return "a line of mirt.cfg is too long";
    case kKeyValueNulByte:
      return "mirt.cfg is not a text file";
    default:
      return "mirt.cfg could not be read";
  }
}

}  // namespace

void ConfigReader::Read(const char* path) {
  HANDLE file =
      CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fatal(OpenFailureText(path), "MIRT: fatal error");
  KeyValueRead last = kKeyValueEnd;
  {
    ScopedHandle closer(file);
    HeapText key;
    HeapText value;
    while ((last = ReadKeyValueLine(file, key, value)) == kKeyValueLine) {
      if (!TakeLine(key.get(), value)) {
        last = kKeyValueEnd;
        break;
      }
    }
  }
  if (last != kKeyValueEnd) Fatal(StopText(last), "MIRT: fatal error in mirt.cfg");
  CheckComplete();
  if (!m_begun) {
    Fatal("not even one environment specified in mirt.cfg", "MIRT: fatal error in mirt.cfg");
  }
}

bool ConfigReader::TakeLine(const char* key, HeapText& value) {
  if (strcmp(key, "VERSION") == 0) {
    if (strcmp(value.get(), kMagic) == 0) return true;
    MessageBox(nullptr, "cfg file has wrong version", "Error", MB_OK);
    return false;
  }
  if (strcmp(key, "ENVIRON") == 0) {
    BeginEnvironment(value);
  } else if (strcmp(key, "SETTINGS") == 0) {
    TakeField(kSettings, value);
  } else if (strcmp(key, "BASEMAKEFILE") == 0) {
    TakeField(kBaseMakefile, value);
  } else if (strcmp(key, "DEFAULTPROJECT") == 0) {
    TakeField(kDefaultProject, value);
  }
  return true;
}

void ConfigReader::BeginEnvironment(HeapText& name) {
  CheckComplete();
  CEnviron env;
  env.name = name.release();
  m_list.AddTail(env);
  m_begun = true;
  for (bool& seen : m_seen) seen = false;
}

// Values before the first ENVIRON belong to no environment and are dropped.
void ConfigReader::TakeField(Field field, HeapText& value) {
  if (!m_begun) return;
  char*& slot = m_list.GetTail().*FieldMember(field);
  free(slot);
  slot = value.release();
  m_seen[field] = true;
}

void ConfigReader::CheckComplete() const {
  if (!m_begun) return;
  for (bool seen : m_seen) {
    if (seen) continue;
    CString text;
    text.Format("Environment %s was not completely specified", m_list.GetTail().name);
    Fatal(text, "Error in mirt.cfg");
  }
}
