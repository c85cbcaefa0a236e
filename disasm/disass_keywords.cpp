#include "disasm/disass_keywords.h"

#include <cstring>

#include "platform/base/crtstring.h"

unsigned DisassKeywordTable::HashKeyword(const char* key) {
  unsigned h = 0;
  for (int i = 0; key[i] && i < 259; ++i) h = h * 33 + static_cast<unsigned char>(key[i]);
  return h % kSize;
}

DisassKeywordTable::DisassKeywordTable() { std::memset(m_entries, 0, sizeof m_entries); }

void DisassKeywordTable::Build(const char* keys, size_t size, BOOL caseSensitive) {
  size_t pos = 0;
  while (pos < size && keys[pos]) {
    size_t len = strnlen(keys + pos, size - pos);
    Add(keys + pos, len, caseSensitive);
    pos += len + 1;
  }
}

void DisassKeywordTable::Add(const char* key, size_t length, BOOL caseSensitive) {
  if (length > size_t(kMaxLength)) return;
  char text[kMaxLength + 1];
  std::memcpy(text, key, length);
  text[length] = 0;
  if (caseSensitive != 1) _strupr(text);
  unsigned slot = HashKeyword(text);
  for (int probe = 0; probe < kSize; ++probe) {
    DisassKeyword& e = m_entries[(slot + probe) % kSize];
    if (e.text[0]) continue;
    std::memcpy(e.text, text, length + 1);
    e.length = static_cast<int>(length);
    e.colour = -1;
    return;
  }
}
