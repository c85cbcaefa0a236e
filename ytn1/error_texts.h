// Texts of driver errors, diagnosis words and service requests.
#pragma once
#include <string>

#include "platform/base/windef.h"

namespace ytn1 {

const char* GetErrorClassText(BYTE errorClass, BYTE errorCode);
const char* GetDiagnosisText(WORD diagnosis);
// "Error Request: <high><low> hex\n" and the description of the low byte.
std::string GetSrqText(BYTE low, BYTE high);

}  // namespace ytn1
