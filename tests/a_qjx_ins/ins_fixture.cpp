#include "tests/a_qjx_ins/ins_fixture.h"

#include <algorithm>
#include <mutex>

#include "platform/sys/msgbox.h"
#include "platform/sys/registry_store.h"
#include "tests/support/test_support.h"
#include "ytn1/settings_state.h"

namespace {

// The support library reads the registry when it loads, before the test's
// own settings folder is set; the store is read again from that folder so
// that no test writes into the user's settings.
void UseTestRegistry() {
  static const bool done = [] {
    plat::RegistryStore& store = plat::RegistryStore::Instance();
    std::lock_guard<std::recursive_mutex> lock(store.Mutex());
    store.Reset();
    return true;
  }();
  (void)done;
}

}  // namespace

void InsTest::SetUp() {
  UseTestRegistry();
  sim().Configure();
  ytn1::LibraryStartup();
  plat::ClearMessageBoxRecords();
  g_driverErrorRequest = 0;
  dir = mirt_test::MakeTempDir("ins");
}

std::string InsTest::WriteIns(const std::string& name, const std::vector<std::string>& lines,
                              const std::string& lineEnd) {
  std::string text;
  for (const std::string& l : lines) text += l + lineEnd;
  return mirt_test::WriteFile(dir + "/" + name, text);
}

std::string InsTest::Program(const std::string& name, const std::string& keys) {
  return mirt_test::WriteFile(dir + "/" + name, "KALVEN-SIM-PROGRAM\r\n" + keys);
}

std::vector<std::string> InsTest::BoxTexts() {
  std::vector<std::string> texts;
  for (auto& r : plat::MessageBoxRecords()) texts.push_back(r.text);
  return texts;
}

std::vector<std::string> InsTest::Args(const std::string& call) {
  std::vector<std::string> v;
  for (auto& e : sim().Trace().Of(call)) v.push_back(e.args);
  return v;
}

std::string InsTest::CallsOf(const std::vector<std::string>& calls) {
  std::string names;
  for (auto& e : sim().Trace().Entries())
    if (std::find(calls.begin(), calls.end(), e.call) != calls.end())
      names += (names.empty() ? "" : " ") + e.call;
  return names;
}

LineOutcome RunLine(const std::string& line, bool execute, WORD flags) {
  InsInterpreter interpreter(flags);
  LineOutcome o;
  o.result = interpreter.ParseLine(line.c_str(), execute, o.help, o.answer, o.text);
  o.errorCode = interpreter.errorCode;
  return o;
}
