#include "a_qjx/memory_view.h"

#include <cstdio>
#include <cstring>

#include "a_qjx/board_family.h"

namespace {

constexpr BYTE kMemoryFirstShown = 0x20, kMemoryLastShown = 0x7D;
constexpr char kMemoryMiddleDot = char(0xB7);
constexpr int kMemoryMaxEditBytes = 8;

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

DWORD LastViewAddress(const MemoryView& view) {
  if (view.end < view.start || view.end - view.start < kMemoryPageBytes) return view.start;
  return view.end - kMemoryPageBytes;
}

DWORD MovedViewAddress(const MemoryView& view, MemoryMove move) {
  const uint64_t address = view.address;
  const DWORD last = LastViewAddress(view);
  switch (move) {
    case MemoryMove::LineUp:
      return address >= uint64_t(view.start) + kMemoryRowBytes ? DWORD(address - kMemoryRowBytes)
                                                               : view.start;
    case MemoryMove::PageUp:
      return address >= uint64_t(view.start) + kMemoryPageBytes ? DWORD(address - kMemoryPageBytes)
                                                                : view.start;
    case MemoryMove::LineDown:
      return address + kMemoryRowBytes <= last ? DWORD(address + kMemoryRowBytes) : last;
    case MemoryMove::PageDown:
      return address + kMemoryPageBytes <= last ? DWORD(address + kMemoryPageBytes) : last;
  }
  return view.address;
}

DWORD ThumbViewAddress(const MemoryView& view, int position) {
  const DWORD last = LastViewAddress(view);
  if (position >= kMemoryScrollMax) return last;
  if (position <= 0 || view.end <= view.start) return view.start;
  const long double offset = (long double)(view.end - view.start) * position * 0.0001f;
  const uint64_t address = view.start + uint64_t(offset);
  return address > last ? last : DWORD(address);
}

DWORD GotoViewAddress(const MemoryView& view, DWORD target) {
  if (target < view.start) target = view.start;
  const DWORD last = LastViewAddress(view);
  return target > last ? last : target;
}

int ViewScrollPosition(const MemoryView& view) {
  if (view.end <= view.start || view.address <= view.start) return 0;
  const double share = double(view.address - view.start) / double(view.end - view.start);
  return int(WORD(DWORD(share * kMemoryScrollMax)));
}

CString MemorySizeText(DWORD size) {
  CString text;
  if (size < 0x400)
    text.Format("%lu B", (unsigned long)size);
  else if (size < 0x100000)
    text.Format("%lu KB", (unsigned long)(size >> 10));
  else
    text.Format("%lu MB", (unsigned long)(size >> 20));
  return text;
}

CString FreeBytesText(DWORD freeStart, DWORD freeEnd) {
  CString text;
  text.Format("%lu Bytes", (unsigned long)(DWORD(freeEnd - freeStart + 1)));
  return text;
}

CString FreeRangeText(DWORD freeStart, DWORD freeEnd) {
  CString text;
  text.Format("%lX hex - %lX hex", (unsigned long)freeStart, (unsigned long)freeEnd);
  return text;
}

namespace {

// Per byte value: its two hex digits and the tab after them, and the
// character shown for it, so that a row is written a byte at a time.
struct MemoryRowTables {
  char hex[256][4] = {};
  char shown[256] = {};
  constexpr MemoryRowTables() {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) {
      hex[b][0] = kDigits[b >> 4];
      hex[b][1] = kDigits[b & 15];
      hex[b][2] = '\t';
      shown[b] = b >= kMemoryFirstShown && b <= kMemoryLastShown ? char(b) : kMemoryMiddleDot;
    }
  }
};
constexpr MemoryRowTables kMemoryRowTables;

}  // namespace

int FormatMemoryRow(DWORD address, const BYTE* bytes, char (&text)[kMemoryRowTextSize]) {
  const auto& t = kMemoryRowTables;
  char* out = text;
  for (int shift = 24; shift >= 0; shift -= 8, out += 2)
    std::memcpy(out, t.hex[(address >> shift) & 0xFF], 2);
  *out++ = ':';
  *out++ = '\t';
  // Four bytes are copied for the three of each column; the next column
  // writes over the spare one.
  for (DWORD i = 0; i < kMemoryRowBytes; ++i, out += 3) std::memcpy(out, t.hex[bytes[i]], 4);
  for (DWORD i = 0; i < kMemoryRowBytes; ++i) *out++ = t.shown[bytes[i]];
  *out = '\0';
  return int(out - text);
}

CString MemoryRowText(DWORD address, const BYTE* bytes) {
  char text[kMemoryRowTextSize];
  const int n = FormatMemoryRow(address, bytes, text);
  return CString(text, n);
}

bool ParseMemoryBytes(const CString& text, BYTE* bytes, int* count) {
  *count = 0;
  CStringArray tokens;
  SplitString(text, " \t", &tokens);
  if (tokens.GetSize() == 1 && tokens[0].IsEmpty()) return false;
  if (tokens.GetSize() > kMemoryMaxEditBytes) return false;
  for (int i = 0; i < int(tokens.GetSize()); ++i) {
    const CString& token = tokens[i];
    if (token.GetLength() < 1 || token.GetLength() > 2) return false;
    int value = 0;
    for (int k = 0; k < token.GetLength(); ++k) {
      const int digit = HexDigitValue(token[k]);
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    bytes[i] = BYTE(value);
  }
  *count = int(tokens.GetSize());
  return true;
}
