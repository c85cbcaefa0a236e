// The Microsoft C run-time string extras (C locale: ASCII letters only).
#pragma once

#include <cstddef>

// Case-blind comparisons; the sign of the difference of the lower-case bytes.
int _stricmp(const char* string1, const char* string2);
int _strnicmp(const char* string1, const char* string2, size_t count);
int _memicmp(const void* buf1, const void* buf2, size_t count);
#define stricmp _stricmp
#define strnicmp _strnicmp
char* _strupr(char* str);
char* _strlwr(char* str);
char* _strrev(char* str);
char* _strdup(const char* str);  // free() the copy

// Number to text in radix 2..36 (lower-case digits); a minus sign only in
// radix 10. The buffer must hold 33 bytes (65 for the 64-bit forms).
char* _itoa(int value, char* buffer, int radix);
char* _ltoa(long value, char* buffer, int radix);
char* _ultoa(unsigned long value, char* buffer, int radix);
char* _i64toa(long long value, char* buffer, int radix);
char* _ui64toa(unsigned long long value, char* buffer, int radix);

// Single-byte forms of the multibyte functions.
int _mbscmp(const unsigned char* string1, const unsigned char* string2);
int _mbsicmp(const unsigned char* string1, const unsigned char* string2);
// Copies count bytes, padding with NULs after a shorter source (like strncpy).
unsigned char* _mbsnbcpy(unsigned char* dest, const unsigned char* src, size_t count);
unsigned int _mbctolower(unsigned int c);
unsigned int _mbctoupper(unsigned int c);
