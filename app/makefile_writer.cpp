#include "app/makefile_writer.h"

#include <cstring>

#include "app/core/project_data.h"
#include "app/makefile_host.h"
#include "app/makefile_names.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/environment.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"

namespace {

const char* TextOrEmpty(const char* s) { return s ? s : ""; }

// Text-mode output: every line end becomes CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

void Fail(const char* text) { MessageBox(nullptr, text, "MIRT Error", MB_OK); }

bool WriteTextFile(const std::string& path, const std::string& text) {
  return plat::ReplaceFileAtomically(path, WithCrLf(text));
}

std::string Entries(const ProjectFileList& list, const char* format) {
  std::string out;
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    const char* name = list.GetNext(pos);
    out += std::string(format, std::strcspn(format, "%")) + name + (std::strstr(format, "%s") + 2);
  }
  return out;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  std::string normal = plat::NormalizeSeparators(path);
  FILE* f = std::fopen(normal.c_str(), "rb");
  if (!f) return false;
  char block[2048];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, f)) > 0) out.append(block, n);
  std::fclose(f);
  return true;
}

}  // namespace

CMakefileWriter::CMakefileWriter(const ProjectData& project, CMakefileHost& host)
    : m_project(project), m_host(host), m_installDir(plat::ProgramDir()) {}

void CMakefileWriter::WriteMakefile(LPCSTR makefilePath) {
  if (UsesBorlandToolchain(m_project)) {
    if (WriteBorland(makefilePath)) CommonTail(false);
  } else if (WriteGnu()) {
    CommonTail(true);
  }
}

std::string CMakefileWriter::SourceObjects() const {
  std::string out;
  for (POSITION pos = m_project.sources.GetHeadPosition(); pos;)
    out += ObjectNameOf(m_project.sources.GetNext(pos), m_project.objSuffix) + " ";
  return out;
}

std::string CMakefileWriter::GnuMakefileText() const {
  const ProjectData& p = m_project;
  std::string t = GnuToolDir(p.toolDir), exe = TextOrEmpty(p.exeFile), objs = SourceObjects();
  std::string m;
  m += "CC = " + t + "/" + TextOrEmpty(p.compiler) + "\n";
  m += "CXX = " + t + "/xscale-elf-g++\n";
  m += "LINK = " + t + "/" + TextOrEmpty(p.linker) + "\n";
  m += "AS = " + t + "/" + TextOrEmpty(p.assembler) + "\n";
  m += std::string("CFLAGS = ") + TextOrEmpty(p.cFlags) + "\n";
  m += std::string("CXXFLAGS = ") + TextOrEmpty(p.cFlags) + "\n";
  m += "EXE = " + exe + "\n";
  m += std::string("ASFLAGS = ") + TextOrEmpty(p.asmFlags) + "\n";
  m += "LFLAGS = " + JoinLinkerOptions(p.linkFlags) + "\n";
  m += "LIBS = " + Entries(p.libs, "-l%s ") + "\n";
  m += "OBJS = " + Entries(p.objs, "%s ") + "\n";
  m += "\n\n";
  m += exe + ": " + objs + "\n";
  m += "\t$(CC) $(LFLAGS) $(LIBS) $(OBJS) " + objs + "-o $(EXE)\n";
  m += "\n\n";
  for (POSITION pos = p.sources.GetHeadPosition(); pos;) {
    const char* source = p.sources.GetNext(pos);
    m += ObjectNameOf(source, p.objSuffix) + ": " + source + "\n\n";
  }
  m += "\nclean:\n\trm -f *.o\n\trm -f " + exe + "\n\n";
  m += "rebuild: clean " + exe + "\n\n";
  return m;
}

std::string CMakefileWriter::ObjectsFileText() const {
  return Entries(m_project.objs, "%s ") + SourceObjects() + "\n";
}

std::string CMakefileWriter::BorlandMakefileHead() const {
  const ProjectData& p = m_project;
  std::string m;
  auto line = [&m](const char* key, const char* value) {
    m += std::string(key) + " = " + TextOrEmpty(value) + "\n";
  };
  line("CC", p.compiler);
  line("LINK", p.linker);
  line("ASM", p.assembler);
  line("PASC", p.pascalCompiler);
  line("CFLAGS", p.cFlags);
  line("LINKFLAGS", p.linkFlags);
  line("ASMFLAGS", p.asmFlags);
  line("PASFLAGS", p.pasFlags);
  line("OBJSUFFIX", p.objSuffix);
  line("EXE", p.exeFile);
  line("INCDIRS", p.incDirs);
  line("LIBDIRS", p.libDirs);
  m += "LIBS = " + Entries(p.libs, "%s ") + "\n";
  m += "OBJS = " + Entries(p.objs, "%s ") + SourceObjects() + "\n";
  m += "\n\n";
  return m;
}

bool CMakefileWriter::WriteGnu() {
  if (!WriteTextFile("Makefile", GnuMakefileText())) {
    Fail("cannot create make file - maybe directory is read-only?");
    return false;
  }
  return true;
}

bool CMakefileWriter::WriteBorland(LPCSTR makefilePath) {
  const char* base = m_project.environment.baseMakefile;
  if (!base || !*base) {
    Fail("No base makefile specified");
    return false;
  }
  if (!WriteTextFile("objects", ObjectsFileText())) {
    Fail("Cannot create file (objects) - maybe directory is read-only?");
    return false;
  }
  m_host.SaveModifiedDocuments();
  std::string head = BorlandMakefileHead();
  std::string path = TextOrEmpty(makefilePath);
  std::string baseText;
  bool haveBase = ReadWholeFile(m_installDir + "\\" + base, baseText);
  if (!WriteTextFile(path, haveBase ? head + baseText : head)) {
    Fail("cannot create make file (.mak) - maybe directory is read-only?");
    return false;
  }
  if (!haveBase) {
    std::string text = "Cannot open base make file (" + m_installDir + "\\" + base + ")";
    Fail(text.c_str());
    return false;
  }
  return true;
}

void CMakefileWriter::CommonTail(bool saveDocuments) {
  if (saveDocuments) m_host.SaveModifiedDocuments();
  m_host.ClearBuildPane();
  PutToolDirOnPath(m_project.toolDir);
}

void PutToolDirOnPath(const char* toolDir) {
  std::string dir = plat::NormalizeSeparators(TextOrEmpty(toolDir));
  DWORD size = GetEnvironmentVariable("PATH", nullptr, 0);
  std::string path(size, '\0');
  if (size) path.resize(GetEnvironmentVariable("PATH", path.data(), size));
  if (path.find(dir) != std::string::npos) return;
  SetEnvironmentVariable("PATH", (dir + ":" + path).c_str());
}
