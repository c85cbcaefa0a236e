// The remote debug kernel's settings: the state texts of the kernel and
// its communication program, and the settings stored per board family in
// the registry.
#pragma once
#include "a_qjx/board_family.h"

// The kernel program's state text for its state and error code.
const char* KernelStateText(BYTE state, BYTE error);
// The communication program's state text for its state and error code.
const char* CommStateText(BYTE state, BYTE error);

// The registry key of a board type's debugger settings, or null for types
// that store none.
const char* DebuggerRegistryKey(WORD type);

// The defaults of the dialog: empty folder, 9600 baud, quartz clock 0,
// version 2, stack 10000 bytes.
void SetDebuggerDefaults(CBoardFamily& family);
// Reads the stored settings of the family's type over the members; a
// missing path gives the product folder's "\driver\". False when the type
// stores none or its key cannot be opened.
bool LoadDebuggerSettings(CBoardFamily& family);
// Writes the members as the stored settings of the family's type.
bool StoreDebuggerSettings(const CBoardFamily& family);
