// The front end's commands reach the worker thread as pipe records in
// order, with their arguments; the quit and stop rules.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>

#include "debugger/session/debug_worker.h"
#include "debugger/session/debugger.h"
#include "debugger/session/frame_messages.h"
#include "platform/sys/file.h"
#include "tests/debugger_session/frame_recorder.h"

namespace session_test {
namespace {

// A worker that only writes down what it was asked.
class RecordingWorker : public CDebugWorker {
 public:
  RecordingWorker(HWND frame, HANDLE pipe, std::vector<std::string>* log)
      : CDebugWorker("a.exe", frame, pipe), m_log(log) {}
  void Note(const std::string& s) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log->push_back(s);
  }
  void EvaluateWatch(const char* e) override { Note(std::string("EvaluateWatch ") + e); }
  void SetLineBreakpoint(const char* f, uint16_t l) override { Note("SetLineBreakpoint " + Where(f, l)); }
  void ClearLineBreakpoint(const char* f, uint16_t l) override { Note("ClearLineBreakpoint " + Where(f, l)); }
  int Go() override { return Note("Go"), 1; }
  int TraceInto(uint8_t m) override { return Note("TraceInto " + std::to_string(m)), 1; }
  int StepOver(uint8_t m) override { return Note("StepOver " + std::to_string(m)), stepOverResult; }
  int StepOut() override { return Note("StepOut"), 1; }
  void SendCallStack() override { Note("SendCallStack"); }
  void SetIPToLine(const char* f, uint16_t l) override { Note("SetIPToLine " + Where(f, l)); }
  void SendRegisters() override { Note("SendRegisters"); }
  void Reset() override { Note("Reset"); }
  void StartProgram(uint32_t flag) override { Note("StartProgram " + std::to_string(flag)); }
  void Break() override { Note("Break"); }
  void SetIPToAddress(uint32_t a) override { Note("SetIPToAddress " + Hex(a)); }
  void SetAddressBreakpoint(uint32_t a) override { Note("SetAddressBreakpoint " + Hex(a)); }
  void ClearAddressBreakpoint(uint32_t a) override { Note("ClearAddressBreakpoint " + Hex(a)); }
  int RunToAddress(uint32_t a) override { return Note("RunToAddress " + Hex(a)), 1; }
  int RunToLine(const char* f, uint16_t l) override { return Note("RunToLine " + Where(f, l)), 1; }
  int stepOverResult = 1;

 private:
  static std::string Where(const char* f, uint16_t l) { return std::string(f) + " " + std::to_string(l); }
  std::vector<std::string>* m_log;
  std::mutex m_mutex;
};

class FrontEndTest : public testing::Test {
 protected:
  // A front end with a recording worker, as a variant would make it.
  std::unique_ptr<CDebugger> Make() {
    auto d = std::make_unique<CDebugger>("a.exe", frame.Window());
    worker = new RecordingWorker(frame.Window(), d->m_hPipeRead, &log);
    g_pDebugWorker = worker;
    return d;
  }
  FakeFrame frame;
  std::vector<std::string> log;
  RecordingWorker* worker = nullptr;  // deleted by the front end
};

TEST_F(FrontEndTest, CommandsArriveInOrderWithTheirArguments) {
  constexpr uint32_t kLinear = 0x10105;
  auto d = Make();
  d->Go();  // before the program started: starts it with flag 0
  d->SetLineBreakpoint("main.c", 7, 1);
  d->SetLineBreakpoint("main.c", 7, 0);
  d->SetAddressBreakpoint(kLinear, 1);
  d->SetAddressBreakpoint(kLinear, 0);
  d->Go();
  d->TraceInto(kStepInstruction);
  d->StepOver(kStepSourceLine);
  d->StepOut();
  d->RequestCallStack();
  d->RequestRegisters();
  d->EvaluateWatch("a[i] + 1");
  d->SetIPToLine("main.c", 9);
  d->SetIPToAddress(kLinear);
  d->Reset();
  d->RunToLine("b.c", 12);
  d->RunToAddress(kLinear);
  d.reset();
  EXPECT_EQ(log, (std::vector<std::string>{
                     "StartProgram 0", "SetLineBreakpoint main.c 7", "ClearLineBreakpoint main.c 7",
                     "SetAddressBreakpoint 10105", "ClearAddressBreakpoint 10105", "Go", "TraceInto 2",
                     "StepOver 1", "StepOut", "SendCallStack", "SendRegisters", "EvaluateWatch a[i] + 1",
                     "SetIPToLine main.c 9", "SetIPToAddress 10105", "Reset", "RunToLine b.c 12",
                     "RunToAddress 10105"}));
  ExpectFrameSequence(frame.Take(), {{WM_DISASSEMBLY_UPDATE, Delivery::Posted, "10105"},
                                     {WM_DISASSEMBLY_UPDATE, Delivery::Posted, "10105"}});
}

TEST_F(FrontEndTest, BreakAndStopWriteOnlyWhenTheTargetCanBeInterrupted) {
  auto d = Make();
  d->StartProgram(1);
  d->Break();
  worker->m_state = kWorkerRunning;
  d->StopProgram();
  EXPECT_EQ(worker->m_bQuietStop, 1) << "a stop is quiet";
  EXPECT_EQ(d->m_bProgramStarted, 0);
  d->m_bCanInterrupt = 1;
  d->Break();
  EXPECT_EQ(worker->m_bQuietStop, 0) << "a break is reported";
  d->StopProgram();
  d.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"StartProgram 1", "Break", "Break"}));
}

TEST_F(FrontEndTest, AStepWithoutAnswerTellsTheFrame) {
  auto d = Make();
  worker->stepOverResult = 0;
  d->StepOver(kStepSourceLine);
  d.reset();
  ExpectFrameSequence(frame.Take(), {{WM_KERNEL_NO_ANSWER, Delivery::Posted, ""}});
}

TEST_F(FrontEndTest, AFrontEndWhoseThreadNeverStartedQuitsAtOnce) {
  auto d = Make();
  EXPECT_EQ(d->IsRunning(), 0);
  EXPECT_EQ(d->CanSetBreakpoints(), 1);
  EXPECT_EQ(d->m_bThreadStarted, 0) << "questions start no thread";
  d.reset();
  EXPECT_EQ(g_pDebugWorker, nullptr);
  EXPECT_TRUE(log.empty());
}

TEST_F(FrontEndTest, ATextCrossesThePipeAsAPointerToItsCopy) {
  // The opcode, the text's pointer and the line number.
  static constexpr size_t kRecordBytes = 1 + sizeof(char*) + 2;
  // Reads the record whatever its bytes are (a pointer's may equal any
  // opcode), then records up to the quit opcode.
  class RawWorker : public CDebugWorker {
   public:
    using CDebugWorker::CDebugWorker;
    DWORD CommandLoop() override {
      uint8_t b = 0;
      DWORD n = 0;
      for (size_t i = 0; i < kRecordBytes && ReadFile(m_hPipeRead, &b, 1, &n, nullptr); ++i) {
        bytes[i] = b;
        read.store(i + 1, std::memory_order_release);
      }
      while (ReadFile(m_hPipeRead, &b, 1, &n, nullptr) && b != kOpQuit) {
      }
      return 0;
    }
    uint8_t bytes[kRecordBytes] = {};
    std::atomic<size_t> read{0};
  };
  auto d = std::make_unique<CDebugger>("a.exe", frame.Window());
  auto* raw = new RawWorker("a.exe", frame.Window(), d->m_hPipeRead);
  g_pDebugWorker = raw;
  d->SetLineBreakpoint("main.c", 7, 1);
  ASSERT_TRUE(
      frame.PumpUntil([&] { return raw->read.load(std::memory_order_acquire) == kRecordBytes; }, 2000));
  EXPECT_EQ(raw->bytes[0], kOpSetLineBreakpoint);
  const char* copy = nullptr;
  std::memcpy(&copy, raw->bytes + 1, sizeof copy);
  EXPECT_STREQ(copy, "main.c");
  delete[] copy;  // what the worker does after the command
  EXPECT_EQ(raw->bytes[1 + sizeof(char*)], 7);
  EXPECT_EQ(raw->bytes[2 + sizeof(char*)], 0);
}

}  // namespace
}  // namespace session_test
