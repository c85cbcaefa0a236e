// Bit fields of 8-, 16- and 32-bit words: bits first..last, bit 0 the least
// significant.
#include "ytn1/ytn1.h"

namespace {

template <class T>
T ReadField(T value, unsigned first, unsigned last) {
  if (first > last || first >= sizeof(T) * 8) return 0;
  unsigned n = last - first + 1;
  unsigned long long mask = n >= 64 ? ~0ull : (1ull << n) - 1;
  return T((static_cast<unsigned long long>(value) >> first) & mask);
}

template <class T>
void WriteField(T* variable, unsigned first, unsigned last, T value) {
  if (!variable || first > last || first >= sizeof(T) * 8) return;
  unsigned long long mask = 0;
  for (unsigned i = 0; i < last - first + 1; ++i) mask = mask * 2 + 1;
  unsigned long long v = *variable;
  v = (v & ~(mask << first)) | ((static_cast<unsigned long long>(value) & mask) << first);
  *variable = T(v);
}

}  // namespace

extern "C" {

WORD WINAPI BITxy(WORD value, int first, int last) { return ReadField<WORD>(value, BYTE(first), BYTE(last)); }
BYTE WINAPI ucBITxy(BYTE value, BYTE first, BYTE last) { return ReadField(value, first, last); }
WORD WINAPI usBITxy(WORD value, BYTE first, BYTE last) { return ReadField(value, first, last); }
DWORD WINAPI ulBITxy(DWORD value, BYTE first, BYTE last) { return ReadField(value, first, last); }
void WINAPI ucxyBIT(BYTE* variable, BYTE first, BYTE last, BYTE value) {
  WriteField(variable, first, last, value);
}
void WINAPI usxyBIT(WORD* variable, BYTE first, BYTE last, WORD value) {
  WriteField(variable, first, last, value);
}
void WINAPI ulxyBIT(DWORD* variable, BYTE first, BYTE last, DWORD value) {
  WriteField(variable, first, last, value);
}

}  // extern "C"
