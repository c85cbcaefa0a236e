#include "a_qjx/ins_text_file.h"

#include <string>

#include "platform/sys/file.h"

namespace {

constexpr DWORD kInsReadChunk = 0x10000;

bool IsInsHandle(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }

}  // namespace

CString InsTextOfBytes(const char* bytes, size_t size) {
  std::string text;
  text.reserve(size + 1);
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] == '\r') {
      text += '\n';
      if (i + 1 < size && bytes[i + 1] == '\n') ++i;
    } else {
      text += bytes[i];
    }
  }
  if (!text.empty() && text.back() != '\n') text += '\n';
  return CString(text.data(), int(text.size()));
}

bool ReadInsText(LPCSTR path, CString* text) {
  HANDLE h =
      CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!IsInsHandle(h)) return false;
  std::string bytes;
  char chunk[kInsReadChunk];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, chunk, kInsReadChunk, &got, nullptr) != FALSE) && got > 0)
    bytes.append(chunk, got);
  CloseHandle(h);
  if (!ok) return false;
  *text = InsTextOfBytes(bytes.data(), bytes.size());
  return true;
}

bool WriteInsText(LPCSTR path, const CString& text) {
  HANDLE h = CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!IsInsHandle(h)) return false;
  std::string bytes;
  const char* p = text;
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    if (p[i] == '\n' && (i == 0 || p[i - 1] != '\r')) bytes += '\r';
    bytes += p[i];
  }
  DWORD written = 0;
  const bool ok =
      WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  return CloseHandle(h) && ok;
}
