#include "app/core/keyvalue_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sys/file.h"

namespace {

char* HeapCopy(const char* bytes, size_t length) {
  char* s = static_cast<char*>(malloc(length + 1));
  if (!s) abort();
  memcpy(s, bytes, length);
  s[length] = '\0';
  return s;
}

std::string DecimalText(LONG number) {
  char digits[16];
  snprintf(digits, sizeof digits, "%ld", long(number));
  return digits;
}

// One byte per read: the reader never takes more of the file than its line.
bool ReadByte(HANDLE file, char& c) {
  DWORD got = 0;
  return ReadFile(file, &c, 1, &got, nullptr) && got == 1;
}

// Collects one line; the key stays empty until an "=" was seen.
class LineCollector {
 public:
  // False when the key or value grew too long.
  bool Add(char c) {
    if (c == '=' && !m_keyTaken) {
      m_key.assign(m_buffer, m_length);
      m_keyTaken = true;
      m_length = 0;
      return true;
    }
    m_buffer[m_length++] = c;
    return m_length <= kKeyValueMaxLength;
  }

  void Deliver(char** key, char** value) const {
    *key = HeapCopy(m_key.data(), m_key.size());
    *value = HeapCopy(m_buffer, m_length);
  }

 private:
  char m_buffer[kKeyValueMaxLength + 1];
  size_t m_length = 0;
  std::string m_key;
  bool m_keyTaken = false;
};

}  // namespace

int ReadKeyValueLine(HANDLE file, char** key, char** value) {
  LineCollector line;
  bool started = false;
  char c;
  while (ReadByte(file, c)) {
    if (c == '\n') {
      if (!started) continue;
      break;
    }
    if (c == '\r') {
      started = true;
      break;
    }
    started = true;
    if (!line.Add(c)) return 0;
  }
  if (!started) return 0;
  line.Deliver(key, value);
  return 1;
}

int ReadKeyValueLine(HANDLE file, HeapText& key, HeapText& value) {
  char* k = nullptr;
  char* v = nullptr;
  if (!ReadKeyValueLine(file, &k, &v)) return 0;
  key.reset(k);
  value.reset(v);
  return 1;
}

void AppendKeyValueLine(std::string& text, const char* key, const char* value) {
  if (!key || !value) return;
  text.append(key).append("=").append(value).append("\r\n");
}

void AppendKeyNumberLine(std::string& text, const char* key, LONG number) {
  AppendKeyValueLine(text, key, DecimalText(number).c_str());
}

BOOL WriteKeyValueLine(HANDLE file, const char* key, const char* value) {
  std::string text;
  AppendKeyValueLine(text, key, value);
  if (text.empty()) return TRUE;
  DWORD written = 0;
  return WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
}

BOOL WriteKeyNumberLine(HANDLE file, const char* key, LONG number) {
  return WriteKeyValueLine(file, key, DecimalText(number).c_str());
}
