#include "platform/sys/process_exit.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

#include "platform/sys/registry.h"

namespace plat {

namespace {

std::mutex g_mutex;
std::function<void(int)> g_handler;

}  // namespace

void SetExitProcessHandler(std::function<void(int)> handler) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_handler = std::move(handler);
}

int ExitStatusOf(UINT code) { return static_cast<int>(code & 0xFF); }

}  // namespace plat

void ExitProcess(UINT code) {
  std::function<void(int)> handler;
  {
    std::lock_guard<std::mutex> lock(plat::g_mutex);
    handler = plat::g_handler;
  }
  if (handler) handler(static_cast<int>(code));
  plat::FlushRegistry();
  std::fflush(nullptr);
  _exit(plat::ExitStatusOf(code));
}
