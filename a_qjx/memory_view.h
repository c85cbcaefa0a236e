// The memory tool's view arithmetic and texts: the view shows 160 bytes
// from its address, kept between the family's view start and end.
#pragma once
#include <cstdint>

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

constexpr DWORD kMemoryPageBytes = 160;
constexpr DWORD kMemoryRowBytes = 8;
constexpr int kMemoryRows = 20;
constexpr int kMemoryScrollMax = 10000;

struct MemoryView {
  DWORD start = 0;
  DWORD end = 0;
  DWORD address = 0;
};

enum class MemoryMove { LineUp, LineDown, PageUp, PageDown };

// The highest address the view may take: end - 160, never below start.
DWORD LastViewAddress(const MemoryView& view);
DWORD MovedViewAddress(const MemoryView& view, MemoryMove move);
// The address for the scroll thumb at 0..10000.
DWORD ThumbViewAddress(const MemoryView& view, int position);
// The address shown for a goto target.
DWORD GotoViewAddress(const MemoryView& view, DWORD target);
// The scroll position of the view (0 for an empty range).
int ViewScrollPosition(const MemoryView& view);

// "1023 B", "1 KB", "1 MB".
CString MemorySizeText(DWORD size);
CString FreeBytesText(DWORD freeStart, DWORD freeEnd);
CString FreeRangeText(DWORD freeStart, DWORD freeEnd);
// "%.8lX:", a tab, the eight bytes as "%.2X" each followed by a tab, then
// the bytes as characters (0x20 to 0x7D themselves, others a middle dot).
CString MemoryRowText(DWORD address, const BYTE* bytes);
// The same row into a buffer, terminated; its length.
constexpr int kMemoryRowTextSize = 48;
int FormatMemoryRow(DWORD address, const BYTE* bytes, char (&text)[kMemoryRowTextSize]);

// The memory editor's bytes: 1 to 8 tokens of 1 or 2 hex digits separated
// by blanks; false for any other text.
bool ParseMemoryBytes(const CString& text, BYTE* bytes, int* count);
