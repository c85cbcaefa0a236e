// Child processes over fork and exec, each watched by a thread that
// collects its exit status.
#include "platform/sys/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/sys/environment.h"
#include "platform/sys/errno_map.h"
#include "platform/sys/file_object.h"
#include "platform/sys/path.h"
#include "platform/sys/stream_object.h"
#include "platform/sys/waitable.h"

extern char** environ;

namespace {

class ProcessObject : public plat::Waitable {
 public:
  bool Signalled() const override { return finished; }
  pid_t pid = 0;
  bool finished = false;
  bool terminated = false;  // by TerminateProcess, with terminateCode
  DWORD terminateCode = 0;
  DWORD exitCode = STILL_ACTIVE;
};

// The child's primary thread: it ends with the process.
class PrimaryThreadObject : public plat::Waitable {
 public:
  explicit PrimaryThreadObject(std::shared_ptr<ProcessObject> p) : process(std::move(p)) {}
  bool Signalled() const override { return process->finished; }
  std::shared_ptr<ProcessObject> process;
};

void Reap(std::shared_ptr<ProcessObject> p) {
  // Wait without reaping, so that TerminateProcess (under the lock) never
  // signals a group whose id could already belong to someone else.
  siginfo_t info;
  int r;
  do {
    r = waitid(P_PID, static_cast<id_t>(p->pid), &info, WEXITED | WNOWAIT);
  } while (r < 0 && errno == EINTR);
  std::lock_guard<std::mutex> lock(plat::WaitMutex());
  int status = 0;
  pid_t reaped;
  do {
    reaped = waitpid(p->pid, &status, 0);
  } while (reaped < 0 && errno == EINTR);
  if (p->terminated)
    p->exitCode = p->terminateCode;
  else if (reaped < 0)
    p->exitCode = 0;
  else if (WIFEXITED(status))
    p->exitCode = static_cast<DWORD>(WEXITSTATUS(status));
  else
    p->exitCode = 128 + static_cast<DWORD>(WTERMSIG(status));
  p->finished = true;
  plat::WaitCondition().notify_all();
}

// The descriptor a standard handle gives the child; -1 for none.
int DescriptorOf(HANDLE h) {
  if (!h || h == INVALID_HANDLE_VALUE) return -1;
  if (auto s = plat::FindStream(h)) return s->Descriptor();
  if (auto f = std::dynamic_pointer_cast<plat::FileObject>(plat::FindHandleObject(h))) return f->fd();
  return -1;
}

std::vector<std::string> EnvironmentFromBlock(const char* block) {
  std::vector<std::string> env;
  if (!block) {
    for (char** e = environ; e && *e; ++e) env.emplace_back(*e);
    return env;
  }
  while (*block) {
    env.emplace_back(block);
    block += std::strlen(block) + 1;
  }
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> p;
  for (auto& t : texts) p.push_back(t.data());
  p.push_back(nullptr);
  return p;
}

struct ChildSetup {
  std::string program;
  std::vector<char*> argv, envp;
  std::string directory;
  int std[3] = {-1, -1, -1};
  bool useStd = false;
  int nullFd = -1;
  int reportFd = -1;  // exec failure: errno written here
};

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void RunChild(const ChildSetup& s) {
  setpgid(0, 0);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGPIPE, SIG_DFL);
  if (s.useStd) {
    int src[3];
    // Lift the sources above 2 first so that no dup2 clobbers another.
    for (int i = 0; i < 3; ++i) src[i] = fcntl(s.std[i] >= 0 ? s.std[i] : s.nullFd, F_DUPFD_CLOEXEC, 10);
    for (int i = 0; i < 3; ++i) dup2(src[i], i);
  }
  int err = 0;
  if (!s.directory.empty() && chdir(s.directory.c_str()) != 0) err = errno;
  if (!err) {
    execve(s.program.c_str(), s.argv.data(), s.envp.data());
    err = errno;
  }
  (void)!write(s.reportFd, &err, sizeof err);
  _exit(127);
}

DWORD ExecError(int err) {
  switch (err) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOEXEC:
      return ERROR_BAD_EXE_FORMAT;
    case EACCES:
      return ERROR_ACCESS_DENIED;
    case ENOTDIR:
      return ERROR_DIRECTORY;
    default:
      return plat::Win32ErrorFromErrno(err);
  }
}

}  // namespace

BOOL CreateProcess(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                   DWORD flags, LPVOID environment, LPCSTR directory, LPSTARTUPINFO startup,
                   LPPROCESS_INFORMATION info) {
  if (!info || (!application && !commandLine)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (flags & CREATE_SUSPENDED) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  std::vector<std::string> words = plat::SplitCommandLine(commandLine ? commandLine : "");
  std::string name = application ? application : (words.empty() ? "" : words[0]);
  if (words.empty()) words.push_back(name);
  // The program's own name for itself (tools print it in their messages)
  // uses this system's separators.
  words[0] = plat::NormalizeSeparators(words[0]);
  char searchPath[8192];
  DWORD len = GetEnvironmentVariable("PATH", searchPath, sizeof searchPath);
  std::string program =
      plat::FindProgram(name, len && len < sizeof searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin");
  if (program.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  ChildSetup setup;
  setup.program = program;
  if (directory && *directory) {
    setup.directory = plat::NormalizeSeparators(directory);
    if (!plat::DirectoryExists(setup.directory)) {
      SetLastError(ERROR_DIRECTORY);
      return FALSE;
    }
  }
  std::vector<std::string> env = EnvironmentFromBlock(static_cast<const char*>(environment));
  setup.argv = Pointers(words);
  setup.envp = Pointers(env);
  if (startup && (startup->dwFlags & STARTF_USESTDHANDLES)) {
    setup.useStd = true;
    setup.std[0] = DescriptorOf(startup->hStdInput);
    setup.std[1] = DescriptorOf(startup->hStdOutput);
    setup.std[2] = DescriptorOf(startup->hStdError);
    setup.nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
  }
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    plat::SetLastErrorFromErrno(errno);
    if (setup.nullFd >= 0) close(setup.nullFd);
    return FALSE;
  }
  setup.reportFd = report[1];
  pid_t pid = fork();
  if (pid == 0) RunChild(setup);
  close(report[1]);
  if (setup.nullFd >= 0) close(setup.nullFd);
  if (pid < 0) {
    plat::SetLastErrorFromErrno(errno);
    close(report[0]);
    return FALSE;
  }
  setpgid(pid, pid);  // also here, so the group exists before we return
  int childErr = 0;
  ssize_t n;
  do {
    n = read(report[0], &childErr, sizeof childErr);
  } while (n < 0 && errno == EINTR);
  close(report[0]);
  auto process = std::make_shared<ProcessObject>();
  process->pid = pid;
  std::thread(Reap, process).detach();
  if (n == static_cast<ssize_t>(sizeof childErr)) {  // exec failed; the reaper collects the child
    SetLastError(ExecError(childErr));
    return FALSE;
  }
  info->hProcess = plat::AddHandle(process);
  info->hThread = plat::AddHandle(std::make_shared<PrimaryThreadObject>(process));
  info->dwProcessId = static_cast<DWORD>(pid);
  info->dwThreadId = static_cast<DWORD>(pid);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL GetExitCodeProcess(HANDLE h, LPDWORD code) {
  auto p = plat::FindHandle<ProcessObject>(h);
  if (!p) return FALSE;
  if (!code) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(plat::WaitMutex());
  *code = p->exitCode;
  return TRUE;
}

BOOL TerminateProcess(HANDLE h, UINT code) {
  auto p = plat::FindHandle<ProcessObject>(h);
  if (!p) return FALSE;
  std::lock_guard<std::mutex> lock(plat::WaitMutex());
  if (p->finished) return TRUE;
  if (!p->terminated) {
    p->terminated = true;
    p->terminateCode = code;
  }
  kill(-p->pid, SIGKILL);  // the child has not been reaped: its group id is still its own
  return TRUE;
}

DWORD GetProcessId(HANDLE h) {
  auto p = plat::FindHandle<ProcessObject>(h);
  return p ? static_cast<DWORD>(p->pid) : 0;
}

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }
