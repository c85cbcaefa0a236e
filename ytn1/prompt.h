// The one place where the board software asks or tells the user something:
// message boxes (through the layer, which records and answers them in
// tests), file dialogs and the beep of an error. Shared by ytn1 and a_qjx.
// File dialogs and beeps are stand-ins until the window layer offers them:
// tests answer file dialogs through a queue and see a record of both.
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
// A file dialog; false when cancelled.
bool AskFileName(bool save, const char* initialName, const char* filter, std::string* path);
void ErrorBeep(DWORD frequency, DWORD ms);

// For tests: answers for the next file dialogs ("" = cancel) and the record
// of every file dialog and beep.
void PushFileAnswer(const std::string& path);
std::vector<PromptRecord>& PromptRecords();

}  // namespace ytn1
