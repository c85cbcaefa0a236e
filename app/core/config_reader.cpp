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

}  // namespace

void ConfigReader::Read(const char* path) {
  HANDLE file =
      CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fatal("the file mirt.cfg could not be found", "MIRT: fatal error");
  {
    ScopedHandle closer(file);
    HeapText key;
    HeapText value;
    while (ReadKeyValueLine(file, key, value)) {
      if (!TakeLine(key.get(), value)) break;
    }
  }
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
