#include "bench/app/gdb_direct.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace bench_gdb {

namespace {
constexpr auto kGdbDirectPrompt = "(gdb) ";
constexpr size_t kGdbDirectPromptSize = 6;
}  // namespace

GdbDirect::GdbDirect() {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) return;
  m_pid = fork();
  if (m_pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(out[1], 2);
    close(in[1]);
    close(out[0]);
    execlp("gdb", "gdb", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  m_in = in[1];
  m_out = out[0];
  Command("");  // the greeting
}

GdbDirect::~GdbDirect() {
  if (m_pid > 0) kill(m_pid, SIGKILL), waitpid(m_pid, nullptr, 0);
  if (m_in >= 0) close(m_in);
  if (m_out >= 0) close(m_out);
}

bool GdbDirect::Command(const std::string& text) {
  if (!text.empty() && write(m_in, text.data(), text.size()) < 0) return false;
  std::string seen;
  char buffer[4096];
  while (seen.size() < kGdbDirectPromptSize ||
         seen.compare(seen.size() - kGdbDirectPromptSize, kGdbDirectPromptSize, kGdbDirectPrompt) != 0) {
    ssize_t n = read(m_out, buffer, sizeof buffer);
    if (n <= 0) return false;
    seen.append(buffer, size_t(n));
  }
  return true;
}

bool GdbDirect::Quit() {
  if (m_pid <= 0 || write(m_in, "q\n", 2) != 2) return false;
  int status = 0;
  const bool ended = waitpid(m_pid, &status, 0) == m_pid;
  m_pid = -1;
  return ended;
}

}  // namespace bench_gdb
