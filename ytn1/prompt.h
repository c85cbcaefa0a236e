// The one place where the board software asks or tells the user something:
// message boxes and file dialogs (through the layer, which records and
// answers them in tests) and the beep of an error. Shared by ytn1 and a_qjx.
// The beep is a stand-in until the window layer offers one. Tests may also
// answer file dialogs through a queue here, and see a record of every file
// dialog and beep.
#pragma once
#include <string>
#include <vector>

#include "platform/base/windef.h"

#include "platform/sys/msgbox.h"

namespace ytn1 {

struct PromptRecord {
  std::string kind;     // "open", "save", "beep"
  std::string text;     // the dialog's filter
  std::string caption;  // the dialog's initial name
  UINT type = 0;        // the beep's frequency
};

// A message box without owner; caption null = the library's name.
// Returns the button chosen.
int ShowMessage(const char* text, const char* caption, UINT type);
// A file dialog (the filter as "text|pattern|...||"): an answer queued by
// a test, else the layer's dialog; false when cancelled.
bool AskFileName(bool save, const char* initialName, const char* filter, std::string* path);
void ErrorBeep(DWORD frequency, DWORD ms);

// For tests: answers for the next file dialogs ("" = cancel) and the record
// of every file dialog and beep.
void PushFileAnswer(const std::string& path);
std::vector<PromptRecord>& PromptRecords();

}  // namespace ytn1
