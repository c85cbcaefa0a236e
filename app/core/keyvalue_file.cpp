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

// Reads ahead in blocks; what was read beyond the line is given back by
// moving the file pointer, so that the reader never takes more of the file
// than its line.
class ByteSource {
 public:
  enum class Result { kByte, kEnd, kFailed };

  explicit ByteSource(HANDLE file) : m_file(file) {}
  ~ByteSource() {
    if (m_pos < m_length) SetFilePointer(m_file, -LONG(m_length - m_pos), nullptr, FILE_CURRENT);
  }

  Result Next(char& c) {
    if (m_pos == m_length) {
      DWORD got = 0;
      if (!ReadFile(m_file, m_block, sizeof m_block, &got, nullptr)) return Result::kFailed;
      if (got == 0) return Result::kEnd;
      m_pos = 0;
      m_length = got;
    }
    c = m_block[m_pos++];
    return Result::kByte;
  }

 private:
  HANDLE m_file;
  char m_block[4096];
  DWORD m_pos = 0;
  DWORD m_length = 0;
};

// Collects one line; the key stays empty until an "=" was seen.
class LineCollector {
 public:
  KeyValueRead Add(char c) {
    if (c == '\0') return kKeyValueNulByte;
    if (c == '=' && !m_keyTaken) {
      m_key.swap(m_text);
      m_keyTaken = true;
      return kKeyValueLine;
    }
    m_text.push_back(c);
    return m_text.size() <= kKeyValueMaxLength ? kKeyValueLine : kKeyValueTooLong;
  }

  void Deliver(char** key, char** value) const {
    *key = HeapCopy(m_key.data(), m_key.size());
    *value = HeapCopy(m_text.data(), m_text.size());
  }

 private:
  std::string m_text;
  std::string m_key;
  bool m_keyTaken = false;
};

}  // namespace

KeyValueRead ReadKeyValueLine(HANDLE file, char** key, char** value) {
  ByteSource bytes(file);
  LineCollector line;
  bool started = false;
  char c;
  for (;;) {
    ByteSource::Result r = bytes.Next(c);
    if (r == ByteSource::Result::kFailed) return kKeyValueReadFailed;
    if (r == ByteSource::Result::kEnd) break;
    if (c == '\n') {
      if (!started) continue;
      break;
    }
    if (c == '\r') {
      started = true;
      break;
    }
    started = true;
    if (KeyValueRead added = line.Add(c); added != kKeyValueLine) return added;
  }
  if (!started) return kKeyValueEnd;
  line.Deliver(key, value);
  return kKeyValueLine;
}

KeyValueRead ReadKeyValueLine(HANDLE file, HeapText& key, HeapText& value) {
  char* k = nullptr;
  char* v = nullptr;
  KeyValueRead r = ReadKeyValueLine(file, &k, &v);
  if (r != kKeyValueLine) return r;
  key.reset(k);
  value.reset(v);
  return r;
}

bool KeyValueTextReadable(const std::string& text) {
  size_t run = 0;
  bool keyTaken = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      run = 0;
      keyTaken = false;
    } else if (c == '=' && !keyTaken) {
      run = 0;
      keyTaken = true;
    } else if (++run > kKeyValueMaxLength) {
      return false;
    }
  }
  return true;
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
