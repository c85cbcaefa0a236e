// Letter case of single bytes shown as Windows-1252: ASCII letters plus the
// accented and other letters of the upper half.
#pragma once

namespace mirt {

bool IsUpper1252(unsigned char c);
bool IsLower1252(unsigned char c);
inline bool IsAlpha1252(unsigned char c) { return IsUpper1252(c) || IsLower1252(c); }
unsigned char ToUpper1252(unsigned char c);
unsigned char ToLower1252(unsigned char c);

}  // namespace mirt
