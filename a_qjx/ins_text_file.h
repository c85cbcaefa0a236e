// Installation files as text: read with CR LF (or CR) line ends as LF,
// each line ending in LF; written with every line end as CR LF.
#pragma once
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

bool ReadInsText(LPCSTR path, CString* text);
bool WriteInsText(LPCSTR path, const CString& text);
// The text form of bytes as ReadInsText gives it.
CString InsTextOfBytes(const char* bytes, size_t size);
