// The real-input driver: a private X server (Xvfb) with an optional window
// manager, a program on the window layer started on it, real pointer and
// keyboard events sent through XTest, and the program's state read back
// through the layer's test hook (platform/ui/test_hook.h). See README.md.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace mirt_test {

enum class WindowManager { kNone, kOpenbox };

// Names tests run with and without a window manager get: "Bare", "Openbox"
// (the last argument of INSTANTIATE_TEST_SUITE_P).
struct WindowManagerName {
  template <class Info>
  std::string operator()(const Info& info) const {
    return info.param == WindowManager::kOpenbox ? "Openbox" : "Bare";
  }
};

struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
  int CenterX() const { return x + width / 2; }
  int CenterY() const { return y + height / 2; }
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// One window of the program as the hook reported it.
struct WindowState {
  std::string hwnd, parent, owner;  // handles as the hook prints them ("0" for none)
  long long id = 0;
  ScreenRect rect;  // window rectangle on the screen
  bool visible = false;
  unsigned long xid = 0;  // native window of a top-level window (0: none yet)
  std::string className, text;
};

// The program's state at one sync.
struct ProgramState {
  std::string focus, active, capture;
  int nativeWindows = 0;
  std::vector<WindowState> windows;
  std::vector<std::pair<std::string, std::string>> values;  // the program's own lines: key, rest

  // The first window of a class (and id, unless -1; and visible when asked).
  enum class Visibility { kAny, kVisibleOnly };
  const WindowState* Find(const std::string& className, long long id = -1,
                          Visibility v = Visibility::kVisibleOnly) const;
  const WindowState* ByHandle(const std::string& hwnd) const;
  int Count(const std::string& className, Visibility v = Visibility::kVisibleOnly) const;
  // The first visible top-level window whose title begins with `prefix`.
  const WindowState* TopLevelTitled(const std::string& prefix) const;
  // The value of the program's first line with this key ("" if none).
  std::string Value(const std::string& key) const;
};

// A program line "key x y w h what" with this key and `what`: its screen
// rectangle goes to `r`.
bool Reported(const ProgramState& s, const std::string& key, const std::string& what, ScreenRect& r);

class RealDisplay {
 public:
  static constexpr int kScreenWidth = 1280;
  static constexpr int kScreenHeight = 800;

  explicit RealDisplay(WindowManager wm, int width = kScreenWidth, int height = kScreenHeight);
  ~RealDisplay();  // stops the program, the window manager and the server
  RealDisplay(const RealDisplay&) = delete;
  RealDisplay& operator=(const RealDisplay&) = delete;

  // Starts a program on this display (QT_QPA_PLATFORM=xcb) and waits for the
  // hook's greeting; false (with the reason in Error()) when it did not come.
  bool Start(const std::string& program, const std::vector<std::string>& args = {});
  // Waits until the program has handled everything sent so far and nothing
  // is left in its queue, and returns its state.
  ProgramState Sync();
  // The same within `timeoutMs`, without failing the test: false when no
  // answer came in time (the program hangs or has ended).
  bool TrySync(int timeoutMs, ProgramState& state);
  // Syncs until the condition holds (for what other programs, such as the
  // window manager, do in their own time); fails the test after the timeout.
  ProgramState WaitFor(const std::function<bool(const ProgramState&)>& condition, const std::string& what,
                       int timeoutMs = 5000);

  // Pointer: moves, presses and releases real buttons (1 left, 2 middle, 3 right).
  void MoveTo(int x, int y);
  void Press(int button = 1);
  void Release(int button = 1);
  void Click(int x, int y, int button = 1);
  void DoubleClick(int x, int y);
  void Drag(int fromX, int fromY, int toX, int toY, int steps = 8);
  // Keys by X key names joined with "+": "alt+f", "ctrl+F4", "F10", "Escape", "Return".
  void Key(const std::string& combo);
  void KeyDown(const std::string& name);
  void KeyUp(const std::string& name);
  void Type(const std::string& text);  // letters, digits, blanks, common punctuation, "\n" as Return

  // Native window facts, from the X server.
  bool IsOverrideRedirect(unsigned long xid);
  unsigned long TransientFor(unsigned long xid);  // 0 when none
  bool IsMapped(unsigned long xid);
  // True when the server's keyboard focus lies in the window or within it.
  bool HasInputFocus(unsigned long xid);  // mapped and all its ancestors too
  // The frame the window manager put around a window (the window itself when none).
  ScreenRect FrameRect(unsigned long xid);
  // The colour 0xRRGGBB of a screen pixel, and of every pixel of an area (rows top down).
  unsigned PixelAt(int x, int y);
  std::vector<unsigned> Pixels(const ScreenRect& area);

  // Writes the screen as "<name>.png" into the build tree's pictures folder.
  std::string SavePicture(const std::string& name);

  bool ProgramRunning();
  // The program's wait status once ProgramRunning saw it end (-1 before).
  int ProgramExitStatus() const { return exitStatus_; }
  pid_t ProgramPid() const { return program_; }
  const std::string& Error() const { return error_; }
  std::string DisplayName() const { return ":" + std::to_string(number_); }

 private:
  bool StartServer(int width, int height);
  bool StartWindowManager();
  bool ReadLine(std::string& line, int timeoutMs);
  void StopAll();

  pid_t server_ = -1, wm_ = -1, program_ = -1;
  int exitStatus_ = -1;
  int number_ = -1;
  void* display_ = nullptr;  // Display*
  int hookFd_ = -1;
  std::string buffer_;
  unsigned long syncWindow_ = 0;
  unsigned seq_ = 0;
  std::string error_;
};

}  // namespace mirt_test
