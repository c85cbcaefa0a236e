// The decoder's procedural interface: one byte reader for the process, one
// instruction decoded per call. The calls keep no state between them apart
// from the reader, so they may run on several threads at once.
#pragma once

#include "disasm/x86_decoder.h"

// Stores the byte reader; the search for a previous instruction starts no
// lower than address 0.
void DisasmInit(DisasmReader reader);
// Decodes the instruction at address into out (kDisasmOutSize characters);
// returns the address that follows it.
DWORD DisasmInstruction(DWORD address, char* out);
// Decodes the instruction before *address into out: the last of a chain of
// decodes from up to 35 bytes below. Returns its start and stores its end
// in *address; a chain that does not land on *address gives the text in
// parentheses.
DWORD DisasmPrevious(DWORD* address, char* out);
