#include "drivers/sim/simulator.h"

#include "drivers/sim/rack_config.h"

namespace sim {

namespace {
thread_local int callDepth = 0;  // driver calls in progress on this thread
}

Simulator& Simulator::Instance() {
  static Simulator* instance = new Simulator();  // lives until the process ends
  return *instance;
}

Simulator::Simulator() {
  clock_.OnAdvance([this](uint64_t from, uint64_t to) { AdvanceTime(from, to); });
  Configure(RackTextFromEnvironment());
  SetRealTime(true);
}

void Simulator::SetRealTime(bool on) {
  std::lock_guard<std::mutex> g(catchUpMutex_);
  realLast_ = std::chrono::steady_clock::now();
  realTime_ = on;
}

void Simulator::CatchUpRealTime() {
  if (!realTime_) return;
  std::unique_lock<std::mutex> g(catchUpMutex_, std::try_to_lock);
  if (!g.owns_lock()) return;  // another thread is catching up
  const auto now = std::chrono::steady_clock::now();
  const uint64_t elapsed =
      uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(now - realLast_).count());
  if (elapsed == 0) return;
  realLast_ = now;
  // Without the simulator's lock: the stops found are told to callbacks
  // that may wait for other threads.
  clock_.Advance(std::min(elapsed, kRealTimeStepMs));
}

std::string Simulator::Configure(const std::string& rackText) {
  SetRealTime(false);
  std::lock_guard<std::recursive_mutex> g(mutex_);
  RackParseResult r = ParseRack(rackText.empty() ? DefaultRackText() : rackText);
  boards_ = std::move(r.boards);
  current_ = boards_.empty() ? 0 : boards_.front()->number;
  errClass_ = errCode_ = 0;
  message_ = diagnosis_ = 0;
  errorCallback_ = nullptr;
  typeCheckFails_ = false;
  zorServices_.clear();
  zorConnections_.clear();
  zorError_ = 0;
  serialPeer_ = nullptr;
  trace_.Clear();
  faults_.Clear();
  clock_.Reset();
  channels_.Clear();
  deferred_.clear();
  return r.error;
}

Board* Simulator::FindBoard(uint16_t number) {
  for (auto& b : boards_)
    if (b->number == number) return b.get();
  return nullptr;
}

std::vector<uint16_t> Simulator::BoardNumbers() const {
  std::vector<uint16_t> v;
  for (auto& b : boards_) v.push_back(b->number);
  return v;
}

void Simulator::RaiseServiceRequest(uint16_t board, uint16_t message) {
  QjCallback qj = nullptr;
  std::vector<std::pair<uint32_t, ZorServiceCallback>> zor;
  {
    std::lock_guard<std::recursive_mutex> g(mutex_);
    Board* b = FindBoard(board);
    if (!b) return;
    if (b->IsQj()) {
      message_ = message;
      Latch(err::kClassSrq, uint8_t(message));
      qj = errorCallback_;
    } else {
      for (auto& [h, boardOf] : zorConnections_)
        if (boardOf == board && zorServices_[h]) zor.push_back({h, zorServices_[h]});
    }
  }
  if (qj) qj();
  for (auto& [h, cb] : zor) cb(h, message);
}

void Simulator::SetDiagnosis(uint16_t word) {
  std::lock_guard<std::recursive_mutex> g(mutex_);
  diagnosis_ = word;
}

std::vector<uint8_t> Simulator::SerialPeer(uint16_t board, uint16_t line, uint8_t sent) {
  if (serialPeer_) return serialPeer_(board, line, sent);
  return {sent};
}

void Simulator::Defer(std::function<void()> work) {
  std::lock_guard<std::recursive_mutex> g(mutex_);
  deferred_.push_back(std::move(work));
}

void Simulator::RunDeferred() {
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard<std::recursive_mutex> g(mutex_);
      if (deferred_.empty()) return;
      work = std::move(deferred_.front());
      deferred_.pop_front();
    }
    work();
  }
}

void Simulator::AdvanceTime(uint64_t fromMs, uint64_t toMs) {
  std::lock_guard<std::recursive_mutex> g(mutex_);
  // Running timers raise their interrupt once per elapsed interval.
  for (auto& [h, c] : channels_.All()) {
    if (c.type() != kChannelTimer || !c.running || c.dword == 0) continue;
    Board* b = FindBoard(c.board);
    if (!b) continue;
    uint64_t periodUs = c.dword;
    uint64_t before = (fromMs - std::min(fromMs, c.startedMs)) * 1000 / periodUs;
    uint64_t after = (toMs - c.startedMs) * 1000 / periodUs;
    b->interruptCount += uint32_t(after - before);
  }
}

DriverCall::DriverCall(const char* name, std::string args, Kind kind)
    : sim_(Simulator::Instance()), lock_(sim_.Mutex()), name_(name), args_(std::move(args)), kind_(kind) {
  ++callDepth;
  Fault f;
  if (sim_.Faults().Take(name_, &f)) {
    faulted_ = true;
    if (kind_ == Zor)
      FailZor(uint16_t(f.errorClass << 8 | f.errorCode));
    else
      Fail(f.errorClass, f.errorCode);
  }
}

uint16_t DriverCall::Fail(uint8_t cls, uint8_t code) {
  sim_.Latch(cls, code);
  failed_ = true;
  code_ = uint16_t(cls << 8 | code);
  result_ = code_;
  return code_;
}

uint16_t DriverCall::FailZor(uint16_t code) {
  sim_.ZorError() = code;
  code_ = code;
  result_ = code;
  return code;
}

Board* DriverCall::Served() {
  Board* b = sim_.CurrentBoard();
  if (!b || !b->reacting) {
    Fail(err::kClassLink, err::kNotReacting);
    return nullptr;
  }
  return b;
}

DriverCall::~DriverCall() {
  sim_.Trace().Add({name_, args_, result_});
  QjCallback cb = (failed_ && kind_ == Qj) ? sim_.ErrorCallback() : nullptr;
  lock_.unlock();
  if (cb) cb();
  if (--callDepth == 0) {
    sim_.RunDeferred();
    sim_.CatchUpRealTime();
  }
}

}  // namespace sim
