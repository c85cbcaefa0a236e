// The error box of a failed system call, shared by the child-process code
// and the build.
#pragma once

#include "platform/base/windef.h"

// Shows the system message of the last error with the call's name in a
// box with the caption "Error".
void DisplayApiError(LPCSTR apiName);
