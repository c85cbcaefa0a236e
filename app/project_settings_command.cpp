#include "app/project_settings_command.h"

#include <cstring>

#include "app/core/project_data.h"
#include "app/project_tree.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "plugins/common/project_settings_data.h"

namespace {

// The record's text fields. Legend: key = the project key (named when the
// value is too long); field = the project's text; slot = the record's
// buffer; set = the project's setter; toDefaults = taken over by the
// template for "Set As Default". In the order the values go back.
struct SettingsText {
  const char* key;
  char* ProjectData::*field;
  char* ProjectSettingsData::*slot;
  void (ProjectData::*set)(const char*);
  bool toDefaults;
};

constexpr SettingsText kSettingsTexts[] = {
    {"INCDIRS", &ProjectData::incDirs, &ProjectSettingsData::incDirs, &ProjectData::SetIncDirs, true},
    {"LIBDIRS", &ProjectData::libDirs, &ProjectSettingsData::libDirs, &ProjectData::SetLibDirs, true},
    {"UNITDIRS", &ProjectData::unitDirs, &ProjectSettingsData::unitDirs, &ProjectData::SetUnitDirs, true},
    {"TOOLDIR", &ProjectData::toolDir, &ProjectSettingsData::toolDir, &ProjectData::SetToolDir, true},
    {"KERNELDIR", &ProjectData::kernelDir, &ProjectSettingsData::kernelDir, &ProjectData::SetKernelDir, true},
    {"MAKE", &ProjectData::makeCommand, &ProjectSettingsData::makeCommand, &ProjectData::SetMakeCommand,
     true},
    {"CC", &ProjectData::compiler, &ProjectSettingsData::compiler, &ProjectData::SetCompiler, true},
    {"PASC", &ProjectData::pascalCompiler, &ProjectSettingsData::pascalCompiler,
     &ProjectData::SetPascalCompiler, true},
    {"ASM", &ProjectData::assembler, &ProjectSettingsData::assembler, &ProjectData::SetAssembler, true},
    {"LINK", &ProjectData::linker, &ProjectSettingsData::linker, &ProjectData::SetLinker, true},
    {"OBJSUFFIX", &ProjectData::objSuffix, &ProjectSettingsData::objSuffix, &ProjectData::SetObjSuffix, true},
    {"CFLAGS", &ProjectData::cFlags, &ProjectSettingsData::cFlags, &ProjectData::SetCFlags, true},
    {"LINKFLAGS", &ProjectData::linkFlags, &ProjectSettingsData::linkFlags, &ProjectData::SetLinkFlags, true},
    {"ASMFLAGS", &ProjectData::asmFlags, &ProjectSettingsData::asmFlags, &ProjectData::SetAsmFlags, true},
    {"PASFLAGS", &ProjectData::pasFlags, &ProjectSettingsData::pasFlags, &ProjectData::SetPasFlags, true},
    {"INSFILE", &ProjectData::insFile, &ProjectSettingsData::insFile, &ProjectData::SetInsFile, false},
    {"EXE", &ProjectData::exeFile, &ProjectSettingsData::exeFile, &ProjectData::SetExeFile, false},
};
constexpr size_t kSettingsTextCount = sizeof kSettingsTexts / sizeof kSettingsTexts[0];

// A record with its text buffers, owned by the IDE.
class SettingsRecordBuffers {
 public:
  SettingsRecordBuffers() {
    std::memset(&data, 0, sizeof data);
    std::memset(m_texts, 0, sizeof m_texts);
    for (size_t i = 0; i < kSettingsTextCount; ++i) data.*kSettingsTexts[i].slot = m_texts[i];
  }
  void Fill(const ProjectData& p) {
    for (const SettingsText& t : kSettingsTexts) {
      const char* value = p.*t.field ? p.*t.field : "";
      std::strncpy(data.*t.slot, value, kSettingsTextSize - 1);
    }
    data.cardNumber = p.cardNumber;
    data.cardInterface = p.cardInterface;
    data.pcPort = p.pcPort;
    data.baudRate = p.baudRate;
    data.debuggeeNum = p.debuggeeNum;
    data.kernelNum = p.kernelNum;
    data.cardClass = p.cardClass;
  }
  // A plug-in may leave a buffer without its NUL: the last byte ends it.
  void Terminate() {
    for (const SettingsText& t : kSettingsTexts) (data.*t.slot)[kSettingsTextSize - 1] = '\0';
  }
  ProjectSettingsData data;

 private:
  char m_texts[kSettingsTextCount][kSettingsTextSize];
};

// Which record values a copy takes: all of them for the project; for the
// template of "Set As Default" neither its installation file, executable
// nor card class.
enum class SettingsCopy { kProject, kTemplate };

void CopySettingsInto(const ProjectSettingsData& d, ProjectData& p, SettingsCopy copy) {
  for (const SettingsText& t : kSettingsTexts)
    if (copy == SettingsCopy::kProject || t.toDefaults) (p.*t.set)(d.*t.slot);
  p.SetCardNumber(d.cardNumber);
  if (copy == SettingsCopy::kProject) p.SetCardClass(d.cardClass);
  p.SetBaudRate(d.baudRate);
  p.SetCardInterface(d.cardInterface);
  p.SetPcPort(d.pcPort);
  p.SetDebuggeeNum(d.debuggeeNum);
  p.SetKernelNum(d.kernelNum);
}

void SettingsCopyFileList(const ProjectFileList& from, ProjectFileList& to) {
  to.RemoveAll();
  for (POSITION pos = from.GetHeadPosition(); pos;) to.Add(from.GetNext(pos));
}

}  // namespace

const char* CProjectSettingsCommand::TooLongValue(const ProjectData& project) {
  for (const SettingsText& t : kSettingsTexts)
    if (project.*t.field && std::strlen(project.*t.field) > size_t(kSettingsTextSize - 1)) return t.key;
  return nullptr;
}

void CProjectSettingsCommand::Run(BOOL noBoardPages, HWND parent, CProjectTree* tree) {
  const char* plugin = m_project.environment.settings;
  if (!plugin || !*plugin) {
    MessageBox(nullptr, "No settings dll specified", "MIRT Error", MB_OK);
    return;
  }
  // A value the plug-in's fields cannot hold would come back cut and be
  // saved so: refuse before anything changes.
  if (const char* key = TooLongValue(m_project)) {
    std::string text = std::string("The value of ") + key +
                       " is longer than 255 characters; the settings dialog " +
                       "cannot edit it. Nothing was changed.";
    MessageBox(nullptr, text.c_str(), "MIRT Error", MB_OK);
    return;
  }
  if (HMODULE library = LoadLibrary(plugin)) {
    CallPlugin(library, noBoardPages, parent);
    FreeLibrary(library);
  } else {
    MessageBox(nullptr, plugin, "Could not load dll", MB_OK | MB_ICONEXCLAMATION);
  }
  if (tree && (!m_project.insFile || !*m_project.insFile)) tree->RemoveInstallationGroup();
}

BOOL CProjectSettingsCommand::CallPlugin(HMODULE library, BOOL noBoardPages, HWND parent) {
  auto settings = reinterpret_cast<ProjectSettingsProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "ProjectSettings")));
  if (!settings) return FALSE;
  SettingsRecordBuffers current, defaults;
  current.Fill(m_project);
  int defaultsSet = 0;
  int confirmed = settings(&current.data, &defaultsSet, &defaults.data, noBoardPages ? 1 : 0, parent);
  current.Terminate();
  defaults.Terminate();
  if (confirmed) {
    CopySettingsInto(current.data, m_project, SettingsCopy::kProject);
    if (m_project.Save(kProjectFile)) m_project.MarkSaved();
  }
  if (!defaultsSet) return TRUE;
  const char* templateName = m_project.environment.defaultProject;
  ProjectData projectTemplate;
  std::string path = m_installDir + "/" + (templateName ? templateName : "");
  projectTemplate.SetFilePath(path.c_str());
  if (!projectTemplate.Load(kProjectTemplate)) return TRUE;
  CopySettingsInto(defaults.data, projectTemplate, SettingsCopy::kTemplate);
  SettingsCopyFileList(m_project.libs, projectTemplate.libs);
  SettingsCopyFileList(m_project.objs, projectTemplate.objs);
  projectTemplate.Save(kProjectTemplate);
  return TRUE;
}
