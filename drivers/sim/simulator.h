// The board simulator: the rack, the driver's latched error and callbacks,
// the call trace, planned faults and the virtual clock. One instance per
// process, shared by the driver libraries; tests reach it directly.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "drivers/sim/board.h"
#include "drivers/sim/call_trace.h"
#include "drivers/sim/channels.h"
#include "drivers/sim/fault_plan.h"
#include "drivers/sim/virtual_clock.h"

namespace sim {

using QjCallback = void (*)();
using ZorServiceCallback = void (*)(uint32_t handle, uint16_t message);

// Error classes and codes of the QJ driver used by the simulator.
namespace err {
constexpr uint8_t kClassLink = 0, kClassOs = 1, kClassParam = 2, kClassSrq = 5, kClassMdd = 11;
constexpr uint8_t kNotReacting = 0x12;  // class 0
constexpr uint8_t kMiniOsInactive = 0x01, kRamOsNotFound = 0x03, kProgramNotFound = 0x11, kNoMemory = 0x13,
                  kProgramRead = 0x14;  // class 1
constexpr uint8_t kCardInvalid = 0x01, kTesseraOnDesk = 0x21, kDeskOnTessera = 0x22, kParam1 = 0x26,
                  kParam2 = 0x27, kEepromParam = 0x19, kMacroUnknown = 0x36, kMacroAnswer = 0x31,
                  kFuncMissing = 0x42;                             // class 2
constexpr uint8_t kHandleInvalid = 0x40, kMddNotInstalled = 0x45;  // class 11
}  // namespace err

// ZOR driver codes.
namespace zerr {
constexpr uint16_t kNotReacting = 0x0101, kNoModule = 0x0310, kNoCpu = 0x0502, kBadHandle = 0x0601,
                   kTaskMissing = 0x08E0, kFileMissing = 0x0911, kEepromArea = 0x0A01;
}

class Simulator {
 public:
  static Simulator& Instance();

  // --- test-facing API -------------------------------------------------
  // Rebuilds the rack from a configuration text (the default rack when
  // empty) and clears errors, callbacks, channels, trace, faults, clock.
  // Returns the first bad line ("" when every line was read).
  std::string Configure(const std::string& rackText = "");
  Board* FindBoard(uint16_t number);
  std::vector<uint16_t> BoardNumbers() const;
  CallTrace& Trace() { return trace_; }
  FaultPlan& Faults() { return faults_; }
  VirtualClock& Clock() { return clock_; }
  ChannelTable& Channels() { return channels_; }
  void SetTypeCheckFails(bool fails) { typeCheckFails_ = fails; }
  // A service request of the board (low byte SRQ code, high byte its
  // parameter): latched as class 5 and reported to the QJ callback on the
  // calling thread, or to the ZOR service callbacks of the board.
  void RaiseServiceRequest(uint16_t board, uint16_t message);
  void SetDiagnosis(uint16_t word);
  // The serial peer: what a board-side serial line receives when the
  // board sends a byte (default: the byte itself, a loopback).
  void SetSerialPeer(std::function<std::vector<uint8_t>(uint16_t board, uint16_t line, uint8_t sent)> peer) {
    serialPeer_ = std::move(peer);
  }

  // --- driver state, used by the driver operations ---------------------
  std::recursive_mutex& Mutex() { return mutex_; }
  uint16_t Current() const { return current_; }
  void Select(uint16_t board) { current_ = board; }
  Board* CurrentBoard() { return FindBoard(current_); }
  void Latch(uint8_t cls, uint8_t code) {
    errClass_ = cls;
    errCode_ = code;
  }
  uint8_t ErrorClass() const { return errClass_; }
  uint8_t ErrorCode() const { return errCode_; }
  void ClearError() { errClass_ = errCode_ = 0; }
  uint16_t Message() const { return message_; }
  void ClearMessage() { message_ = 0; }
  uint16_t Diagnosis() const { return diagnosis_; }
  QjCallback ErrorCallback() const { return errorCallback_; }
  QjCallback SetErrorCallback(QjCallback cb) {
    QjCallback old = errorCallback_;
    errorCallback_ = cb;
    return old;
  }
  bool TypeCheckFails() const { return typeCheckFails_; }
  void SetZorService(uint32_t handle, ZorServiceCallback cb) { zorServices_[handle] = cb; }
  uint16_t& ZorError() { return zorError_; }
  std::map<uint32_t, uint16_t>& ZorConnections() { return zorConnections_; }
  std::vector<uint8_t> SerialPeer(uint16_t board, uint16_t line, uint8_t sent);
  // Work that calls back into the caller (board events): run on the
  // caller's thread once the outermost driver call has ended, without the lock.
  void Defer(std::function<void()> work);
  void RunDeferred();
  // Real time: the virtual clock follows the host's clock, caught up at
  // the end of each outermost driver call, by at most kRealTimeStepMs at
  // once. On from the start (the IDE); Configure turns it off (tests move
  // the clock themselves).
  static constexpr uint64_t kRealTimeStepMs = 50;
  void SetRealTime(bool on);
  bool RealTime() const { return realTime_; }
  void CatchUpRealTime();

 private:
  Simulator();
  void AdvanceTime(uint64_t fromMs, uint64_t toMs);

  std::recursive_mutex mutex_;
  std::vector<std::unique_ptr<Board>> boards_;
  uint16_t current_ = 0;
  uint8_t errClass_ = 0, errCode_ = 0;
  uint16_t message_ = 0;
  uint16_t diagnosis_ = 0;
  QjCallback errorCallback_ = nullptr;
  bool typeCheckFails_ = false;
  std::map<uint32_t, ZorServiceCallback> zorServices_;
  std::map<uint32_t, uint16_t> zorConnections_;  // handle -> board
  uint16_t zorError_ = 0;
  std::function<std::vector<uint8_t>(uint16_t, uint16_t, uint8_t)> serialPeer_;
  CallTrace trace_;
  FaultPlan faults_;
  VirtualClock clock_;
  ChannelTable channels_;
  std::deque<std::function<void()>> deferred_;
  std::atomic<bool> realTime_{false};
  std::mutex catchUpMutex_;
  std::chrono::steady_clock::time_point realLast_;
};

// One driver call: holds the simulator's lock, checks planned faults,
// records the call in the trace, and after a failing QJ call (the lock
// released) tells the registered error callback.
class DriverCall {
 public:
  enum Kind { Qj, Zor, Info };
  DriverCall(const char* name, std::string args, Kind kind = Qj);
  ~DriverCall();
  DriverCall(const DriverCall&) = delete;
  DriverCall& operator=(const DriverCall&) = delete;

  Simulator& sim() { return sim_; }
  // A fault planned for this call: it is latched; the caller returns Code().
  bool Faulted() const { return faulted_; }
  // Latches a QJ error; the result is the driver word class << 8 | code.
  uint16_t Fail(uint8_t cls, uint8_t code);
  // Records a ZOR error code as the result.
  uint16_t FailZor(uint16_t code);
  uint16_t Code() const { return code_; }
  template <class T>
  T Result(T v) {
    result_ = (long long)v;
    return v;
  }
  // The board the QJ driver serves, or null after latching "board does not
  // react" (also for a board that is down).
  Board* Served();

 private:
  Simulator& sim_;
  std::unique_lock<std::recursive_mutex> lock_;
  std::string name_, args_;
  Kind kind_;
  bool faulted_ = false;
  bool failed_ = false;
  uint16_t code_ = 0;
  long long result_ = 0;
};

}  // namespace sim
