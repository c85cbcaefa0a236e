// The exports that save and load EEPROM value files through file dialogs.
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/sys/atomic_file.h"
#include "platform/sys/path.h"
#include "ytn1/eeprom_value_file.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

void CopyPath(LPSTR out, const std::string& path) {
  if (!out) return;
  std::strncpy(out, path.c_str(), MAX_PATH - 1);
  out[MAX_PATH - 1] = 0;
}

}  // namespace

extern "C" {

WORD WINAPI SaveEepromValues(WORD count, const WORD* words, LPCSTR header, LPCSTR, LPSTR path) {
  std::string chosen;
  if (!ytn1::AskFileName(true, "*.eep", "EEPROM values (*.eep) |*.eep||", &chosen))
    return ytn1::kEepromCancelled;
  std::string file = ytn1::EepromFilePath(chosen);
  plat::AtomicFileWriter writer(plat::NormalizeSeparators(file));
  if (!writer.Open() || !writer.Write(ytn1::FormatEepromFile(header ? header : "", words, count)) ||
      !writer.Commit()) {
    ytn1::ShowMessage("File could not created!", nullptr, MB_OK | MB_ICONEXCLAMATION);
    return ytn1::kEepromNoFile;
  }
  CopyPath(path, file);
  return ytn1::kEepromOk;
}

WORD WINAPI LoadEepromValues(WORD count, WORD* words, LPCSTR header, LPCSTR, LPSTR path) {
  std::string chosen;
  if (!ytn1::AskFileName(false, "*.eep", "EEPROM files (*.eep) |*.eep||", &chosen))
    return ytn1::kEepromCancelled;
  std::ifstream f(plat::NormalizeSeparators(chosen), std::ios::binary);
  if (!f) {
    ytn1::ShowMessage("File could not be opened!", nullptr, MB_OK | MB_ICONEXCLAMATION);
    return ytn1::kEepromNoFile;
  }
  std::ostringstream text;
  text << f.rdbuf();
  ytn1::EepromFileResult r = ytn1::ParseEepromFile(text.str(), header ? header : "", words, count);
  if (r == ytn1::kEepromOk) CopyPath(path, chosen);
  return r;
}

}  // extern "C"
