// The memory tool's dump file: the bytes of a range as hex text, a given
// number per line, read from the board in blocks.
#pragma once
#include "platform/base/windef.h"

class CBoardFamily;

enum class DumpAddresses { Omit, Write };

struct MemoryDumpRequest {
  DWORD start = 0;
  DWORD stop = 0;
  int lineSize = 1;
  DumpAddresses addresses = DumpAddresses::Omit;
};

enum class DumpResult { Written, FileError, ReadError };

// Creates (truncates) the file and writes the dump: each line starts with
// CR LF and, with addresses, "%.8X: " of its first address; each byte is
// "%.2X "; then the trailer. A driver error while reading ends the dump
// without trailer (the error has been shown).
DumpResult WriteMemoryDump(CBoardFamily& family, LPCSTR path, const MemoryDumpRequest& request);
