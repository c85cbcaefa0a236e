#include "tests/app_core/core_test_util.h"

#include "platform/sys/msgbox.h"
#include "tests/support/test_support.h"

namespace core_test {

Boxes ShownBoxes() {
  Boxes boxes;
  for (const plat::MessageBoxRecord& r : plat::MessageBoxRecords()) boxes.emplace_back(r.caption, r.text);
  return boxes;
}

void ClearBoxes() { plat::ClearMessageBoxRecords(); }

ExitTrap::ExitTrap() {
  plat::SetExitProcessHandler([](int code) { throw plat::ProcessExit(code); });
}

ExitTrap::~ExitTrap() { plat::SetExitProcessHandler({}); }

std::string NewFile(const std::string& name, const std::string& bytes) {
  return mirt_test::WriteFile(mirt_test::MakeTempDir("f") + "/" + name, bytes);
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace core_test
