// The debugger's message boxes go through one function.
#pragma once

// Flags as for MessageBox; returns the button pressed.
int DebugMessageBox(const char* text, const char* caption, unsigned type = 0);
