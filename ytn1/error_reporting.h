// Driver errors as texts and message boxes.
#pragma once
#include <string>

#include "platform/base/windef.h"

namespace ytn1 {

// Remembers the thread that loaded the library: the user interface's.
void ErrorReportingStartup();
// The description of a driver error: the SRQ text for class 5, the
// diagnosis text for the two "Diagnosis possible" service errors of
// class 11, else the table's text.
std::string ChooseDescription(BYTE errorClass, BYTE errorCode);

}  // namespace ytn1
