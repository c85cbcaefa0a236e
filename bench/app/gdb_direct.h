// gdb on two pipes, driven directly: the anchor of the benchmarks that time
// what the IDE does with gdb.
#pragma once

#include <sys/types.h>

#include <string>

namespace bench_gdb {

class GdbDirect {
 public:
  // Starts gdb and reads its greeting up to the first prompt.
  GdbDirect();
  ~GdbDirect();
  GdbDirect(const GdbDirect&) = delete;
  GdbDirect& operator=(const GdbDirect&) = delete;

  // Writes a command and reads up to the prompt after it.
  bool Command(const std::string& text);
  // Writes "q" and waits for gdb to end.
  bool Quit();

 private:
  pid_t m_pid = -1;
  int m_in = -1, m_out = -1;
};

}  // namespace bench_gdb
