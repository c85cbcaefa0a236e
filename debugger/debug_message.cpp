#include "debugger/debug_message.h"

#include "platform/sys/msgbox.h"

int DebugMessageBox(const char* text, const char* caption, unsigned type) {
  return MessageBox(nullptr, text, caption, type);
}
