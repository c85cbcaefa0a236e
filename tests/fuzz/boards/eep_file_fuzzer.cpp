// EEPROM value files: any bytes, read for a few word counts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ytn1/eeprom_value_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (WORD count : {WORD(0), WORD(1), WORD(32), WORD(100)}) {
    std::vector<WORD> words(count, 0);
    ytn1::ParseEepromFile(text, "[0040]", words.data(), count);
  }
  ytn1::EepromFilePath(text);
  return 0;
}
