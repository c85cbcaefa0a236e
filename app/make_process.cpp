#include "app/make_process.h"

#include <cstdio>
#include <string>

#include "app/api_error.h"
#include "app/frame_messages.h"
#include "platform/base/winerror.h"
#include "platform/sys/path.h"
#include "platform/sys/process.h"
#include "platform/ui/message.h"

namespace {

constexpr DWORD kMakeChunkSize = 1024;

}  // namespace

bool CBuildSeries::Finish(bool failed) {
  if (failed) ++m_failures;
  return --m_remaining == 0;
}

CMakeProcess::CMakeProcess(LPCSTR commandLine, LPVOID environment, LPCSTR directory)
    : CExtConsoleProcess(commandLine, environment, directory) {}

CMakeProcess::~CMakeProcess() {
  {
    std::lock_guard<std::mutex> lock(m_sendLock);
    m_abandoned = true;
  }
  WaitServingMessages([this] { return !m_sending.load(); }, INFINITE);
  StopReader();
  // A call whose reader was ended early counts as failed; when it was the
  // series' last, its report comes from here.
  if (m_series && !m_reported && m_series->Finish(true) && m_hOwner)
    SendMessage(m_hOwner, WM_BUILD_FAILED, 0, 0);
}

void CMakeProcess::WriteTextChunk(FILE* file, const char* chunk, DWORD length) {
  // Text mode: a line feed the tool wrote alone is written as CR LF.
  std::string text;
  text.reserve(length + length / 16);
  for (DWORD i = 0; i < length; ++i) {
    if (chunk[i] == '\n' && m_lastWritten != '\r') text += '\r';
    text += chunk[i];
    m_lastWritten = chunk[i];
  }
  std::fwrite(text.data(), 1, text.size(), file);
}

void CMakeProcess::RedirectOutput(const std::string& path, OutputFileMode mode) {
  m_outputPath = path;
  m_outputMode = mode;
}

bool CMakeProcess::SendToOwner(UINT message, WPARAM wParam, LPARAM lParam) {
  {
    std::lock_guard<std::mutex> lock(m_sendLock);
    if (m_abandoned || !m_hOwner) return false;
    m_sending = true;
  }
  SendMessage(m_hOwner, message, wParam, lParam);
  m_sending = false;
  return true;
}

void CMakeProcess::Report(bool failed, bool compiled) {
  if (m_series) {
    m_reported = true;
    if (!m_series->Finish(failed)) return;
    failed = m_series->Failed();
  }
  UINT message = failed ? WM_BUILD_FAILED : compiled ? WM_BUILD_OK : WM_BUILD_UP_TO_DATE;
  SendToOwner(message, 0, 0);
}

DWORD CMakeProcess::Run(LPVOID) {
  FILE* output = nullptr;
  if (!m_outputPath.empty())
    output = std::fopen(plat::NormalizeSeparators(m_outputPath).c_str(),
                        m_outputMode == OutputFileMode::kAppend ? "ab" : "wb");
  char chunk[kMakeChunkSize + 1];
  for (;;) {
    DWORD read = 0;
    if (!ReadOutput(chunk, kMakeChunkSize, &read) || read == 0) {
      DWORD error = GetLastError();
      if (error == ERROR_OPERATION_ABORTED) break;
      if (error != ERROR_BROKEN_PIPE) {
        DisplayApiError("ReadFile");
        break;
      }
      if (ExitCode() != STILL_ACTIVE) break;
      continue;
    }
    chunk[read] = '\0';
    m_detector.Feed(chunk, read);
    if (output)
      WriteTextChunk(output, chunk, read);
    else
      SendToOwner(WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(chunk));
  }
  if (output) std::fclose(output);
  if (!IsStopping()) {
    DWORD code = ExitCode();
    Report(code != 0, m_detector.Compiled());
  }
  CloseOutput();
  m_readerDone = true;
  return 0;
}
