#include "ytn1/error_reporting.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "ytn1/error_texts.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace ytn1 {

namespace {

constexpr const char* kSrqCaption = "YTN32 - Error Request Vantor";
constexpr int kMessageBufferSize = 80;

std::atomic<WORD> g_errorPending{0};
std::thread::id g_uiThread;

// Boxes that a driver callback on another thread could not show; the user
// interface's thread shows them at its next error check.
std::mutex g_deferredMutex;
std::vector<std::pair<std::string, std::string>> g_deferred;

void ShowOrDefer(const std::string& text, const char* caption, UINT type) {
  if (std::this_thread::get_id() == g_uiThread) {
    ShowMessage(text.c_str(), caption, type);
    return;
  }
  std::lock_guard<std::mutex> g(g_deferredMutex);
  g_deferred.push_back({text, caption});
}

void ShowDeferred() {
  std::vector<std::pair<std::string, std::string>> boxes;
  {
    std::lock_guard<std::mutex> g(g_deferredMutex);
    boxes.swap(g_deferred);
  }
  for (auto& [text, caption] : boxes)
    ShowMessage(text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
}

}  // namespace

void ErrorReportingStartup() {
  g_uiThread = std::this_thread::get_id();
  g_errorPending = 0;
  std::lock_guard<std::mutex> g(g_deferredMutex);
  g_deferred.clear();
}

std::string ChooseDescription(BYTE errorClass, BYTE errorCode) {
  if (errorClass == 5) {
    WORD m = qj8_get_message();
    return GetSrqText(BYTE(m), BYTE(m >> 8));
  }
  if (errorClass == 11 && (errorCode == 0x42 || errorCode == 0x43))
    return GetDiagnosisText(mdd8_get_diagnosis());
  return GetErrorClassText(errorClass, errorCode);
}

}  // namespace ytn1

extern "C" {

void WINAPI Ytn32ErrorHandler(void) {
  ytn1::g_errorPending = 1;
  BYTE cls = 0, code = 0;
  qj8_get_error_class_and_code(&cls, &code);
  if (cls != 5) return;
  WORD m = qj8_get_message();
  BYTE low = BYTE(m), high = BYTE(m >> 8);
  if (!(low == 0xCF && high == 0x80)) {
    std::string text = "Error Request from Operating System Vantor.\r\n" + ytn1::GetSrqText(low, high);
    ytn1::ShowOrDefer(text, ytn1::kSrqCaption, MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
  }
  qj8_clear_error();
  qj8_clear();
  ytn1::g_errorPending = 0;
}

WORD WINAPI GetErrorHandler(LPCSTR caption, DWORD, DWORD) {
  ytn1::ShowDeferred();
  if (ytn1::g_errorPending == 0) return 0;
  BYTE cls = 0, code = 0;
  qj8_get_error_class_and_code(&cls, &code);
  qj8_clear_error();
  std::string text = ytn1::ChooseDescription(cls, code);
  if (cls == 5) caption = ytn1::kSrqCaption;
  qj8_clear_error();
  ytn1::g_errorPending = 0;
  ytn1::ErrorBeep(600, 30);
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "\nError Class: %hxh\nError Code: %hxh", (unsigned short)cls,
                (unsigned short)code);
  text += suffix;
  ytn1::ShowMessage(text.c_str(), caption, MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
  return 1;
}

WORD WINAPI Qj8EndAccess(DWORD, LPCSTR caption) { return GetErrorHandler(caption, 0, 0); }

void WINAPI GetErrorMessage(LPSTR buffer, DWORD errorClass, DWORD errorCode) {
  std::string text = ytn1::ChooseDescription(BYTE(errorClass), BYTE(errorCode));
  std::snprintf(buffer, ytn1::kMessageBufferSize, "%s", text.c_str());
}

}  // extern "C"
