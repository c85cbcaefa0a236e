#include "a_qjx/debugger_settings.h"

#include "a_qjx/board_type_codes.h"
#include "platform/sys/registry.h"
#include "ytn1/ytn1.h"

namespace {

// A state text: `state` of the program; for the error state, the text by
// its error code (`error` -1 stands for any code not listed).
struct DebugStateText {
  int state;
  int error;
  const char* text;
};

constexpr int kDebugErrorState = 3, kDebugAnyError = -1;

const DebugStateText kKernelStateTexts[] = {
    {0, 0, "Program ready"},
    {2, 0, "Kernel activated, waiting for handshake"},
    {kDebugErrorState, 0, "Error: No error has occured"},
    {kDebugErrorState, 6, "Error: Wrong Vantor"},
    {kDebugErrorState, 7, "Error: Communication task not available"},
    {kDebugErrorState, kDebugAnyError, "Error:"},
    {4, 0, "Program halted"},
    {5, 0, "Initialization phase"},
    {6, 0, "Connection to Turbo-Debugger established"},
    {7, 0, "Turbo-Debugger has broken off connection"},
    {8, 0, "The program to be debugged was found on board"},
    {9, 0,
     "The program to be debugged does not contain any debug information, or is not installed on the board"},
    {10, 0, "Searching for program to be debugged"},
    {11, 0, "Wrong or unknown command from Turbo-Debugger"},
    {12, 0, "Error in communication interface"},
    {13, 0, "Insufficent memory (maybe stack size should be reduced)"},
};

const DebugStateText kCommStateTexts[] = {
    {0, 0, "Program ready"},
    {2, 0, "Program running"},
    {kDebugErrorState, 0, "Error:No error occured"},
    {kDebugErrorState, 1, "Error: Wrong communication channel selected"},
    {kDebugErrorState, 2, "Error: Wrong baud rate selected"},
    {kDebugErrorState, 3, "Error: It is not possible to initialize SCC"},
    {kDebugErrorState, 4, "Error: Transmit-Timeout! Break down of connection with Turbo-Debugger"},
    {kDebugErrorState, 5, "Error: Transmit-Timeout! Break down of connection with Turbo-Debugger"},
    {kDebugErrorState, 8, "Error: Wrong module slot detected"},
};

// States other than the error state match whatever their error code is.
template <size_t N>
const char* FindDebugStateText(const DebugStateText (&table)[N], BYTE state, BYTE error) {
  for (const DebugStateText& t : table) {
    if (t.state != state) continue;
    if (state != kDebugErrorState || t.error == error || t.error == kDebugAnyError) return t.text;
  }
  return "";
}

constexpr DWORD kDebugDefaultBaud = 9600, kDebugDefaultVersion = 2, kDebugDefaultStack = 10000;
constexpr size_t kDebugPathBuffer = 512;

// Reads a DWORD value into a member only when it reads.
template <typename T>
void ReadDebugDword(HKEY key, const char* name, T& member) {
  DWORD value = 0;
  if (ReadRegDword(key, name, &value)) member = T(value);
}

}  // namespace

const char* KernelStateText(BYTE state, BYTE error) {
  return FindDebugStateText(kKernelStateTexts, state, error);
}

const char* CommStateText(BYTE state, BYTE error) {
  return FindDebugStateText(kCommStateTexts, state, error);
}

const char* DebuggerRegistryKey(WORD type) {
  switch (type) {
    case kTypeKoraDesk2:
      return "SOFTWARE\\KALVEN\\YTN32\\QJ2";
    case kTypeKoraLine:
      return "SOFTWARE\\KALVEN\\YTN32\\QJ6";
    case kTypeMiniTessera:
      return "SOFTWARE\\KALVEN\\YTN32\\QJ7";
    case kTypeTessera:
      return "SOFTWARE\\KALVEN\\YTN32\\QJ8";
    default:
      return nullptr;
  }
}

void SetDebuggerDefaults(CBoardFamily& family) {
  family.kernelFolder.Empty();
  family.kernelParDword = kDebugDefaultBaud;
  family.commPar11 = 0;
  family.kernelPar6 = BYTE(kDebugDefaultVersion);
  family.kernelPar2 = WORD(kDebugDefaultStack);
}

bool LoadDebuggerSettings(CBoardFamily& family) {
  const char* name = DebuggerRegistryKey(family.typeCode);
  HKEY key = nullptr;
  if (!name || !CreateReg(name, &key)) return false;
  char path[kDebugPathBuffer] = {};
  if (ReadRegString(key, "debug_path", path)) {
    family.kernelFolder = path;
  } else {
    GetYtn32Path(path);
    family.kernelFolder = CString(path) + "\\driver\\";
  }
  ReadDebugDword(key, "debug_interface", family.commPar4);
  ReadDebugDword(key, "debug_baud", family.kernelParDword);
  ReadDebugDword(key, "debug_quarzclock", family.commPar11);
  ReadDebugDword(key, "debug_version", family.kernelPar6);
  ReadDebugDword(key, "debug_stack", family.kernelPar2);
  RegCloseKey(key);
  return true;
}

bool StoreDebuggerSettings(const CBoardFamily& family) {
  const char* name = DebuggerRegistryKey(family.typeCode);
  HKEY key = nullptr;
  if (!name || !CreateReg(name, &key)) return false;
  WriteRegString(key, "debug_path", family.kernelFolder);
  WriteRegDword(key, "debug_interface", family.commPar4);
  WriteRegDword(key, "debug_baud", family.kernelParDword);
  WriteRegDword(key, "debug_quarzclock", family.commPar11);
  WriteRegDword(key, "debug_version", family.kernelPar6);
  WriteRegDword(key, "debug_stack", family.kernelPar2);
  RegCloseKey(key);
  return true;
}
