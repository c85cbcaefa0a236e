#include "drivers/serial_kernel/serial_kernel.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "drivers/sim/board_cpu.h"
#include "drivers/sim/simulator.h"
#include "drivers/sim/task_installer.h"

namespace sim {

namespace {

constexpr uint8_t kAck = 0x06;
constexpr int kGoAheadWaitMs = 2000;
constexpr uint64_t kRunSlice = 20000;  // instructions between two looks at the line

uint8_t EventOf(StopReason reason) {
  switch (reason) {
    case StopReason::Breakpoint:
      return SerialKernel::kBreakpoint;
    case StopReason::Step:
      return SerialKernel::kSingleStep;
    case StopReason::StopRequest:
      return SerialKernel::kBreak;
    case StopReason::Ended:
      return SerialKernel::kEnded;
    case StopReason::Halted:
      return SerialKernel::kHalted;
    default:
      return SerialKernel::kFault;
  }
}

// The board's processor; every call takes the simulator's lock.
BoardCpu* CpuOf(uint16_t board) {
  std::lock_guard<std::recursive_mutex> lock(Simulator::Instance().Mutex());
  Board* b = Simulator::Instance().FindBoard(board);
  return b ? &BoardCpu::Of(*b) : nullptr;
}

void MakeRaw(int fd) {
  termios tio;
  if (tcgetattr(fd, &tio) != 0) return;
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
}

// "test.exe" -> "TEST    .EXE" (12 characters).
std::string EightDotThree(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  std::string ext = name.find('.') == std::string::npos ? "" : name.substr(name.find('.'));
  base.resize(8, ' ');
  std::string out = (base + ext).substr(0, 12);
  out.resize(12, ' ');
  for (char& c : out) c = char(std::toupper((unsigned char)c));
  return out;
}

}  // namespace

SerialKernel::SerialKernel(uint16_t board) : board_(board) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
  const char* name = ptsname(master_);
  if (!name) return;
  devicePath_ = name;
  // Held open so the line stays up while the IDE opens and closes it.
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  MakeRaw(slave_);
  MakeRaw(master_);
  wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  thread_ = std::thread([this] { Loop(); });
}

SerialKernel::~SerialKernel() {
  stop_ = true;
  uint64_t one = 1;
  if (wake_ >= 0) (void)!write(wake_, &one, sizeof one);
  if (thread_.joinable()) thread_.join();
  for (int fd : {master_, slave_, wake_})
    if (fd >= 0) close(fd);
}

void SerialKernel::QueueRawReply(std::vector<uint8_t> bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  rawReplies_.push_back(std::move(bytes));
}

void SerialKernel::SendRaw(const std::vector<uint8_t>& bytes) { Send(bytes); }

std::vector<std::string> SerialKernel::Log() {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_;
}

void SerialKernel::ClearLog() {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.clear();
}

void SerialKernel::Note(const std::string& entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.push_back(entry);
}

uint16_t SerialKernel::Reg16(Reg r) {
  BoardCpu* cpu = CpuOf(board_);
  if (!cpu) return 0;
  auto bytes = cpu->Record().bytes;
  return uint16_t(bytes[r] | bytes[r + 1] << 8);
}

uint32_t SerialKernel::Reg32(Reg r) {
  BoardCpu* cpu = CpuOf(board_);
  if (!cpu) return 0;
  auto bytes = cpu->Record().bytes;
  return bytes[r] | bytes[r + 1] << 8 | bytes[r + 2] << 16 | uint32_t(bytes[r + 3]) << 24;
}

void SerialKernel::SetReg16(Reg r, uint16_t v) {
  if (BoardCpu* cpu = CpuOf(board_)) {
    KernelRegisterRecord rec = cpu->Record();
    rec.bytes[r] = uint8_t(v), rec.bytes[r + 1] = uint8_t(v >> 8);
    cpu->SetRecord(rec);
  }
}

void SerialKernel::SetReg32(Reg r, uint32_t v) {
  if (BoardCpu* cpu = CpuOf(board_)) {
    KernelRegisterRecord rec = cpu->Record();
    for (int i = 0; i < 4; ++i) rec.bytes[r + i] = uint8_t(v >> (8 * i));
    cpu->SetRecord(rec);
  }
}

bool SerialKernel::ReadByte(uint8_t* b, int timeoutMs) {
  for (;;) {
    if (stop_) return false;
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
    int n = poll(fds, 2, timeoutMs);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || stop_) return false;
    if (!(fds[0].revents & POLLIN)) {
      if (fds[0].revents) usleep(1000);  // the other side is closed for now
      return false;
    }
    ssize_t r = read(master_, b, 1);
    if (r == 1) return true;
    if (r < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return false;
  }
}

void SerialKernel::Send(const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += size_t(n);
  }
}

bool SerialKernel::TakeRawReply() {
  std::vector<uint8_t> raw;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (rawReplies_.empty()) return false;
    raw = std::move(rawReplies_.front());
    rawReplies_.pop_front();
  }
  Send(raw);
  swallowZero_ = true;
  return true;
}

void SerialKernel::Loop() {
  while (!stop_) {
    uint8_t b;
    if (running_ && RunSlice()) continue;
    if (!ReadByte(&b, running_ ? 0 : 100)) continue;
    if (silent_) continue;
    bool swallow = swallowZero_;
    swallowZero_ = false;
    if (b == 0 && swallow) continue;  // the go-ahead after an escape or a raw reply: no poll
    if (b == 0)
      Poll();
    else
      Frame(b);
  }
}

void SerialKernel::Poll() {
  Note("poll");
  if (TakeRawReply()) return;
  Answer({0x4B, splitMode_.load(), 0});
}

void SerialKernel::Frame(uint8_t length) {
  uint8_t letter;
  bool split = false;
  if (!ReadByte(&letter, 5)) {
    if (!ReadByte(&letter, 500)) return;
    split = true;
  }
  std::vector<uint8_t> data(length - 1u);
  for (auto& d : data)
    if (!ReadByte(&d, 500)) return;
  Note(std::string(split ? "split:" : "") + char(letter));
  if (TakeRawReply()) return;
  Send({kAck});
  switch (letter) {
    case 'U':
      return;
    case 'D':
      StartRun();
      return;
    case 'E':
      if (running_) Stop(kBreak);
      swallowZero_ = true;
      return;
    default:
      Answer(Execute(char(letter), data));
  }
}

void SerialKernel::Answer(const std::vector<uint8_t>& data) {
  Send({uint8_t(data.size())});
  if (data.empty()) return;
  uint8_t goAhead;
  if (!ReadByte(&goAhead, kGoAheadWaitMs)) return;
  Send(data);
}

void SerialKernel::StartRun() {
  BoardCpu* cpu = CpuOf(board_);
  if (!cpu) {
    Answer({kFault, 0, 0, 0});
    return;
  }
  if (cpu->Registers().flags & kFlagTrap) {  // a single step answers at once
    Answer({EventOf(cpu->Step().reason), 0, 0, 0});
    return;
  }
  running_ = true;
  RunSlice();
}

bool SerialKernel::RunSlice() {
  BoardCpu* cpu = CpuOf(board_);
  CpuStop s = cpu ? cpu->RunFor(kRunSlice) : CpuStop{StopReason::Fault};
  if (s.reason == StopReason::Running) return false;
  Stop(EventOf(s.reason));
  return true;
}

void SerialKernel::Stop(uint8_t event) {
  running_ = false;
  Answer({event, 0, 0, 0});
}

std::vector<uint8_t> SerialKernel::ProgramAnswer(const std::vector<uint8_t>& request, bool prepare) {
  std::string name(request.begin(), request.end());
  name = EightDotThree(name.substr(0, name.find('\0')));
  std::vector<uint8_t> answer(prepare ? 6 : 5, 0);
  std::lock_guard<std::recursive_mutex> lock(Simulator::Instance().Mutex());
  Board* b = Simulator::Instance().FindBoard(board_);
  if (!b) return answer;
  for (uint16_t t = 1; t < 1024; ++t) {
    const Task& task = b->tasks[t];
    uint32_t at = task.program ? task.info.Get32(kDescriptorPointer) : 0;
    if (!at) continue;
    char stored[12];
    b->memory.Read(at + 16, stored, 12);
    if (std::string(stored, 12) != name) continue;
    if (prepare) {
      BoardCpu& cpu = BoardCpu::Of(*b);
      if (!cpu.Attach(t)) {  // no executable image: start where the descriptor says
        CpuRegisters r;
        r.ip = b->memory.Read16(at + 8);
        r.cs = b->memory.Read16(at + 10);
        r.ss = 0x9000;
        r.esp = 0xFFF0;
        r.flags = 0x0202;
        cpu.SetRegisters(r);
      }
    } else {
      uint16_t date = b->memory.Read16(at + 28), time = b->memory.Read16(at + 30);
      answer = {uint8_t(time), uint8_t(time >> 8), uint8_t(date), uint8_t(date >> 8), 0};
    }
    break;
  }
  return answer;
}

std::vector<uint8_t> SerialKernel::Execute(char command, const std::vector<uint8_t>& data) {
  auto word = [&](size_t i) { return uint16_t(i + 1 < data.size() ? data[i] | data[i + 1] << 8 : 0); };
  switch (command) {
    case 'C':
      return ProgramAnswer(data, false);
    case 'N':
      return ProgramAnswer(data, true);
    case 'O':
    case 'P':
      return {};
    case 'J': {
      BoardCpu* cpu = CpuOf(board_);
      if (!cpu) return std::vector<uint8_t>(kRegisterBytes, 0);
      auto bytes = cpu->Record().bytes;
      return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    case 'K':
      if (BoardCpu* cpu = CpuOf(board_); cpu && data.size() == kRegisterBytes)
        cpu->SetRecord(KernelRegisterRecord::FromBytes(data.data()));
      return {};
    case 'F': {
      if (data.size() < 5) return {};
      std::vector<uint8_t> bytes(data[0]);
      std::lock_guard<std::recursive_mutex> lock(Simulator::Instance().Mutex());
      if (Board* b = Simulator::Instance().FindBoard(board_))
        b->memory.Read(Linear(word(3), word(1)), bytes.data(), uint32_t(bytes.size()));
      return bytes;
    }
    case 'G': {
      if (data.size() < 5) return {};
      uint32_t count = std::min<uint32_t>(data[0], uint32_t(data.size() - 5));
      std::lock_guard<std::recursive_mutex> lock(Simulator::Instance().Mutex());
      if (Board* b = Simulator::Instance().FindBoard(board_))
        b->memory.Write(Linear(word(3), word(1)), data.data() + 5, count);
      return {};
    }
    default:
      return {};
  }
}

}  // namespace sim
