#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "drivers/sim/simulator.h"
#include "ytn1/prompt.h"
#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

namespace {

class ErrorReportingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim().Configure();
    ytn1::LibraryStartup();
    ytn1::PromptRecords().clear();
    plat::ClearMessageBoxRecords();
  }
  static sim::Simulator& sim() { return sim::Simulator::Instance(); }
  // Makes the driver fail a call with class and code, as a board would,
  // with the library's handler registered.
  static void DriverFails(uint8_t cls, uint8_t code) {
    qj8_set_error_handling(Ytn32ErrorHandler);
    sim().Faults().Add({"qj8_call_proc", cls, code, 1});
    qj8_call_proc(0, 1);
  }
  static std::string Message(DWORD cls, DWORD code) {
    char buf[80];
    GetErrorMessage(buf, cls, code);
    return buf;
  }
  static std::vector<plat::MessageBoxRecord> Boxes() { return plat::MessageBoxRecords(); }
};

TEST_F(ErrorReportingTest, TextsByClassAndCode) {
  struct Case {
    DWORD cls, code;
    const char* text;
  };
  const Case cases[] = {
      {0, 0x12, "Board does not react"},
      {0, 0x0A, "The error code is unknown"},
      {1, 0x45, "Boot error: error when resetting the instruction pointer"},
      {1, 0x99, "The errorcode is unknown"},
      {2, 0x99, "The error code is unknown"},
      {3, 0x00, "Error class is unknown"},
      {7, 0x01, "System error occured. The code of 'GetLastError()' is in <Struct>.System.error"},
      {8, 0x00, "The error code is unknown"},
      {11, 0x47, "MDD not started (Diagnosis possible)"},
      {11, 0x48, "The Error Code is unknown"},
      {12, 0x8C, "Flash-Eprom is not programmable/eraseable (Timeout)"},
      {13, 0x00, "Error class is unknown"},
      {0x102, 0x199, "The error code is unknown"},  // only the low bytes count
  };
  for (const Case& c : cases) EXPECT_EQ(Message(c.cls, c.code), c.text) << c.cls << "/" << c.code;
}

TEST_F(ErrorReportingTest, DiagnosisAndServiceRequestDescriptions) {
  sim().SetDiagnosis(0x0105);
  EXPECT_EQ(Message(11, 0x42), "Wrong parameter (offset = Low-Byte of diagnosis word)");
  sim().SetDiagnosis(0x0603);
  EXPECT_EQ(Message(11, 0x43), "Error when writing to EEPROM");
  sim().SetDiagnosis(0x0777);
  EXPECT_EQ(Message(11, 0x42), "Diagnosis is unknown");
  struct Case {
    uint16_t message;
    const char* text;
  };
  const Case cases[] = {
      {0x11CF, "Error Request: 11CF hex\nBoard has been reseted (hardware reset)"},
      {0x80CF, "Error Request: 80CF hex\n"},
      {0x00C1, "Error Request: 0C1 hex\nSRQ from task: Task-no. 100h - 1ffh"},
      {0x05EF, "Error Request: 5EF hex\nTask crash: Task-no. 300h - 3ffh"},
      {0x01FD, "Error Request: 1FD hex\nHardwarew failure on module"},
      {0x0042, "Error Request: 042 hex\n"},
  };
  for (const Case& c : cases) {
    sim().RaiseServiceRequest(0, c.message);
    EXPECT_EQ(Message(5, 0), c.text);
  }
}

TEST_F(ErrorReportingTest, NothingPendingShowsNothingAndAsksNoDriver) {
  sim().Trace().Clear();
  EXPECT_EQ(GetErrorHandler("cap", 0, 0), 0);
  EXPECT_TRUE(sim().Trace().Entries().empty());
  EXPECT_TRUE(ytn1::PromptRecords().empty());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ErrorReportingTest, PendingErrorIsShownOnceWithSuffixAndCleared) {
  DriverFails(2, 0x99);
  EXPECT_EQ(GetErrorHandler("My caption", 0, 0), 1);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The error code is unknown\nError Class: 2h\nError Code: 99h");
  EXPECT_EQ(boxes[0].caption, "My caption");
  EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL));
  EXPECT_EQ(ytn1::PromptRecords().front().kind, "beep");
  uint8_t cls, code;
  qj8_get_error_class_and_code(&cls, &code);
  EXPECT_EQ(cls | code, 0);
  EXPECT_EQ(Qj8EndAccess(0, "again"), 0);

  sim().SetDiagnosis(0x0105);
  DriverFails(11, 0x42);
  EXPECT_EQ(GetErrorHandler("c", 0, 0), 1);
  EXPECT_EQ(Boxes().back().text,
            "Wrong parameter (offset = Low-Byte of diagnosis word)\nError Class: bh\nError Code: 42h");
}

TEST_F(ErrorReportingTest, ServiceRequestsThroughTheHandler) {
  qj8_set_error_handling(Ytn32ErrorHandler);
  sim().RaiseServiceRequest(0, 0x11CF);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "YTN32 - Error Request Vantor");
  EXPECT_EQ(boxes[0].text,
            "Error Request from Operating System Vantor.\r\nError Request: 11CF hex\n"
            "Board has been reseted (hardware reset)");
  EXPECT_EQ(GetErrorHandler("c", 0, 0), 0);  // handled and cleared

  plat::ClearMessageBoxRecords();
  sim().RaiseServiceRequest(0, 0x80CF);  // a debug event: no box
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(qj8_get_message(), 0);
  EXPECT_EQ(GetErrorHandler("c", 0, 0), 0);
}

TEST_F(ErrorReportingTest, HandlerOnAnotherThreadLeavesTheBoxToTheInterfaceThread) {
  qj8_set_error_handling(Ytn32ErrorHandler);
  std::thread driverThread([] { sim().RaiseServiceRequest(0, 0x11CF); });
  driverThread.join();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(GetErrorHandler("c", 0, 0), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "YTN32 - Error Request Vantor");
}

std::vector<std::pair<DWORD, LONG>> g_calls;
LONG g_removeFromCallback = 0;
void WINAPI Record(DWORD message, LONG id) {
  g_calls.push_back({message, id});
  if (g_removeFromCallback) ClearYtnSrqFunction(g_removeFromCallback);
}

TEST_F(ErrorReportingTest, SrqCallbacksByNumberInRegistrationOrder) {
  g_calls.clear();
  g_removeFromCallback = 0;
  LONG a = SetYtnSrqFunction(Record, 0xC1);
  LONG b = SetYtnSrqFunction(Record, 0xC2);
  LONG c = SetYtnSrqFunction(Record, 0xC1);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  sim().RaiseServiceRequest(0, 0x07C1);
  Ytn32SrqHandler();
  ASSERT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[0], std::make_pair(DWORD(0x07C1), a));
  EXPECT_EQ(g_calls[1], std::make_pair(DWORD(0x07C1), c));

  EXPECT_EQ(ClearYtnSrqFunction(a), 0);
  EXPECT_EQ(ClearYtnSrqFunction(a), 0);           // already removed: nothing changes
  EXPECT_EQ(SetYtnSrqFunction(Record, 0xC1), 4);  // ids are not reused

  // A callback that removes an entry while the walk runs.
  g_calls.clear();
  g_removeFromCallback = c;
  Ytn32SrqHandler();
  EXPECT_EQ(g_calls.size(), 1u);
}

}  // namespace
