#include "plugins/common/option_tokens.h"

#include <cstring>

namespace {

// Length of the value that starts at `p`: up to the next blank or the end.
uint16_t OptionValueLength(const char* p) {
  const char* end = std::strchr(p, ' ');
  size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
  return static_cast<uint16_t>(n > 0xFFFF ? 0xFFFF : n);
}

// A switch starts a word: at the start of the text or after a blank, so
// that "-w" is not found inside "--warn-once".
bool OptionStartsWord(const char* options, const char* p) { return p == options || p[-1] == ' '; }

}  // namespace

const char* FindOptionToken(const char* options, const char* option) {
  if (!options || !option || !*option) return nullptr;
  size_t len = std::strlen(option);
  for (const char* p = std::strstr(options, option); p; p = std::strstr(p + len, option)) {
    char after = p[len];
    if ((after == ' ' || after == '\0') && OptionStartsWord(options, p)) return p;
  }
  return nullptr;
}

const char* FindOptionValue(const char* options, const char* option, uint16_t* length) {
  if (!options || !option || !*option) return nullptr;
  size_t len = std::strlen(option);
  for (const char* p = std::strstr(options, option); p; p = std::strstr(p + len, option)) {
    char after = p[len];
    if (after == ' ' || after == '\0' || after == '=' || !OptionStartsWord(options, p)) continue;
    if (length) *length = OptionValueLength(p + len);
    return p + len;
  }
  return nullptr;
}

const char* FindOptionAssignedValue(const char* options, const char* option, uint16_t* length) {
  if (!options || !option || !*option) return nullptr;
  size_t len = std::strlen(option);
  for (const char* p = std::strstr(options, option); p; p = std::strstr(p + len, option)) {
    if (p[len] != '=' || !OptionStartsWord(options, p)) continue;
    if (length) *length = OptionValueLength(p + len + 1);
    return p + len + 1;
  }
  return nullptr;
}
