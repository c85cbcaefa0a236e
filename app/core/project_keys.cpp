#include "app/core/project_keys.h"

#include <cstring>

namespace {

using K = ProjectKeyKind;
using P = ProjectData;

constexpr ProjectKey Text(const char* key, char* P::*field, bool projectOnly = false) {
  return {key, K::kText, projectOnly, field};
}
constexpr ProjectKey List(const char* key, ProjectFileList P::*field) {
  return {key, K::kList, false, nullptr, field};
}
constexpr ProjectKey Word(const char* key, WORD P::*field) {
  return {key, K::kWord, false, nullptr, nullptr, field};
}

}  // namespace

const ProjectKey kProjectKeys[] = {
    {"ENVIRON", K::kEnviron, true},
    Text("EXE", &P::exeFile, true),
    Text("INSFILE", &P::insFile, true),
    List("SOURCEFILES", &P::sources),
    List("HEADER", &P::headers),
    Text("INCDIRS", &P::incDirs),
    Text("LIBDIRS", &P::libDirs),
    Text("UNITDIRS", &P::unitDirs),
    Text("TOOLDIR", &P::toolDir),
    {"KERNELDIR", K::kKernelDir, false, &P::kernelDir},
    Text("MAKE", &P::makeCommand),
    Text("CC", &P::compiler),
    Text("PASC", &P::pascalCompiler),
    Text("ASM", &P::assembler),
    Text("LINK", &P::linker),
    Text("OBJSUFFIX", &P::objSuffix),
    Text("CFLAGS", &P::cFlags),
    Text("ASMFLAGS", &P::asmFlags),
    Text("LINKFLAGS", &P::linkFlags),
    Text("PASFLAGS", &P::pasFlags),
    Word("CARDNUMBER", &P::cardNumber),
    {"CARDCLASS", K::kCardClass, false},
    Word("INTERFACE", &P::cardInterface),
    {"BAUDRATE", K::kDword, false, nullptr, nullptr, nullptr, &P::baudRate},
    Word("PCPORT", &P::pcPort),
    Word("DEBUGGEENUM", &P::debuggeeNum),
    Word("KERNELNUM", &P::kernelNum),
    List("LIBS", &P::libs),
    List("OBJS", &P::objs),
};

const size_t kProjectKeyCount = sizeof kProjectKeys / sizeof kProjectKeys[0];

const ProjectKey* FindProjectKey(const char* key) {
  for (const ProjectKey& k : kProjectKeys) {
    if (strcmp(k.key, key) == 0) return &k;
  }
  return nullptr;
}
