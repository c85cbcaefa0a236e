#include "probe_fixture.h"

#include <sstream>

#include "tests/support/test_support.h"

namespace display_test {

void ProbeTest::SetUp() {
  display = std::make_unique<RealDisplay>(GetParam());
  ASSERT_TRUE(display->Start(mirt_test::ProgramDir() + "/display_probe", ProbeArgs())) << display->Error();
  display->WaitFor([](const ProgramState& s) { return Views(s).size() == 2; }, "the probe's two views");
  // A window manager hands the new main frame the keys in its own time.
  if (GetParam() == WindowManager::kOpenbox) {
    display->WaitFor(
        [this](const ProgramState& s) {
          const WindowState* main = MainFrame(s);
          return main && display->HasInputFocus(main->xid);
        },
        "the keys going to the main frame");
  }
}

void ProbeTest::TearDown() {
  if (HasFailure() && display) Picture("failed");
  display.reset();
}

std::vector<std::string> ProbeTest::Views(const ProgramState& s) {
  std::vector<std::string> out;
  for (const auto& [key, value] : s.values)
    if (key == "view") out.push_back(value.substr(0, value.find(' ')));
  return out;
}

std::string ProbeTest::TypedInto(const ProgramState& s, const std::string& view) {
  for (const auto& [key, value] : s.values)
    if (key == "view" && value.rfind(view + " ", 0) == 0) return value.substr(view.size() + 1);
  return "";
}

const WindowState* ProbeTest::FrameOf(const ProgramState& s, const std::string& view) {
  const WindowState* v = s.ByHandle(view);
  return v ? s.ByHandle(v->parent) : nullptr;
}

mirt_test::ScreenRect ProbeTest::MenuItem(const ProgramState& s, int n) {
  mirt_test::ScreenRect r;
  for (const auto& [key, value] : s.values) {
    if (key != "menuitem") continue;
    std::istringstream in(value);
    int i = -1;
    in >> i >> r.x >> r.y >> r.width >> r.height;
    if (i == n) return r;
  }
  ADD_FAILURE() << "no menu item " << n;
  return {};
}

const WindowState* ProbeTest::MainFrame(const ProgramState& s) {
  for (const auto& w : s.windows)
    if (w.parent == "0" && w.owner == "0" && w.visible && w.text.rfind("Probe", 0) == 0) return &w;
  return nullptr;
}

const WindowState* ProbeTest::ListBar(const ProgramState& s) {
  const WindowState* list = s.ByHandle(s.Value("barlist"));
  return list ? s.ByHandle(list->parent) : nullptr;
}

ProgramState ProbeTest::WaitForKeysTo(const std::string& hwnd) {
  return display->WaitFor(
      [&](const ProgramState& s) {
        const WindowState* main = MainFrame(s);
        return s.focus == hwnd && main && display->HasInputFocus(main->xid);
      },
      "the keys going to " + hwnd);
}

void ProbeTest::Picture(const std::string& step) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "_" + info->name() + "_" + step;
  for (char& c : name)
    if (c == '/') c = '_';
  display->SavePicture(name);
}

}  // namespace display_test
