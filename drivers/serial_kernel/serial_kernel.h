// The debug kernel of a simulated board behind a pseudo-terminal. The IDE
// opens DevicePath() as its COM port; the kernel answers the framed
// commands on the board's memory, registers and processor (BoardCpu).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sim {

class SerialKernel {
 public:
  static constexpr size_t kRegisterBytes = 48;
  // Register offsets in the 48-byte image.
  enum Reg {
    EAX = 0,
    EBX = 4,
    ECX = 8,
    EDX = 12,
    ESP = 16,
    EBP = 20,
    ESI = 24,
    EDI = 28,
    FLAGS = 32,
    IP = 34,
    CS = 36,
    DS = 38,
    SS = 40,
    ES = 42,
    FS = 44,
    GS = 46
  };
  // Event bytes of a stop (first byte).
  enum Event : uint8_t { kBreakpoint = 1, kSingleStep = 2, kBreak = 3, kEnded = 4, kHalted = 5, kFault = 6 };

  explicit SerialKernel(uint16_t board);
  ~SerialKernel();
  SerialKernel(const SerialKernel&) = delete;
  SerialKernel& operator=(const SerialKernel&) = delete;

  // The device the IDE opens ("" when no pseudo-terminal could be made).
  std::string DevicePath() const { return devicePath_; }

  // Test controls.
  void SetSilent(bool silent) { silent_ = silent; }       // reads, never answers
  void SetSplitMode(uint8_t mode) { splitMode_ = mode; }  // reported by the poll
  // The reply to the next frame or poll, sent as it is instead of the
  // kernel's own (acknowledgement and answer included).
  void QueueRawReply(std::vector<uint8_t> bytes);
  // Bytes sent on the line now.
  void SendRaw(const std::vector<uint8_t>& bytes);
  // The commands received: "poll", "C", "F", ... (a frame whose length
  // byte and letter arrived apart is marked "split:F").
  std::vector<std::string> Log();
  void ClearLog();
  uint16_t Reg16(Reg r);
  uint32_t Reg32(Reg r);
  void SetReg16(Reg r, uint16_t v);
  void SetReg32(Reg r, uint32_t v);
  bool Running() const { return running_; }

 private:
  void Loop();
  bool ReadByte(uint8_t* b, int timeoutMs);
  void Send(const std::vector<uint8_t>& bytes);
  void Frame(uint8_t length);
  void Poll();
  // Sends the answer's length byte and, after the go-ahead, its data.
  void Answer(const std::vector<uint8_t>& data);
  std::vector<uint8_t> Execute(char command, const std::vector<uint8_t>& data);
  void StartRun();
  // Runs a slice of a started program; true when it stopped.
  bool RunSlice();
  void Stop(uint8_t event);
  bool TakeRawReply();
  void Note(const std::string& entry);
  uint32_t Linear(uint16_t segment, uint16_t offset) const { return uint32_t(segment) * 16 + offset; }
  std::vector<uint8_t> ProgramAnswer(const std::vector<uint8_t>& name, bool prepare);

  uint16_t board_;
  int master_ = -1, slave_ = -1, wake_ = -1;
  std::string devicePath_;
  std::thread thread_;
  std::atomic<bool> stop_{false}, silent_{false}, running_{false};
  std::atomic<uint8_t> splitMode_{0};
  bool swallowZero_ = false;  // used by the kernel's thread only
  std::mutex mutex_;
  std::deque<std::vector<uint8_t>> rawReplies_;
  std::vector<std::string> log_;
};

}  // namespace sim
