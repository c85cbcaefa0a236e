#include "tests/support/real_input.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "tests/support/test_support.h"

// Xlib's macros (Status, None, Bool) clash with Qt and GoogleTest: last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace mirt_test {
namespace {

constexpr int kStartTimeoutMs = 15000;
constexpr int kSyncTimeoutMs = 15000;
constexpr char kSyncAtom[] = "_MIRT_TEST_SYNC";

Display* Dpy(void* d) { return static_cast<Display*>(d); }

using Clock = std::chrono::steady_clock;
int MsLeft(Clock::time_point end) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Starts a child that dies with the test program. keepFd stays open in it.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int keepFd,
            bool quiet) {
  pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  ::setpgid(0, 0);
  for (const auto& e : env) ::putenv(const_cast<char*>(e.c_str()));
  if (quiet) {
    int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
  }
  if (keepFd >= 0) ::fcntl(keepFd, F_SETFD, 0);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  ::_exit(127);
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  ::kill(-pid, SIGTERM);
  ::kill(pid, SIGTERM);
  auto end = Clock::now() + std::chrono::seconds(2);
  while (::waitpid(pid, nullptr, WNOHANG) == 0) {
    if (Clock::now() > end) {
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
      break;
    }
    ::usleep(2000);
  }
  pid = -1;
}

bool ReadAvailable(int fd, std::string& into, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return false;
  char buf[65536];
  ssize_t n = ::read(fd, buf, sizeof buf);
  if (n <= 0) return false;
  into.append(buf, static_cast<size_t>(n));
  return true;
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : s) {
    if (c == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

bool ParseWindow(const std::string& line, WindowState& w) {
  size_t tab = line.find('\t');
  std::string head = line.substr(0, tab);
  w.text = tab == std::string::npos ? "" : line.substr(tab + 1);
  std::istringstream in(head);
  std::string tag;
  in >> tag >> w.hwnd >> w.parent >> w.owner >> w.id >> w.rect.x >> w.rect.y >> w.rect.width >> w.rect.height;
  int visible = 0;
  in >> visible >> w.xid;
  w.visible = visible != 0;
  in >> std::ws;
  std::getline(in, w.className);
  return !in.bad();
}

KeySym NamedKey(const std::string& name) {
  if (name == "alt") return XK_Alt_L;
  if (name == "ctrl") return XK_Control_L;
  if (name == "shift") return XK_Shift_L;
  return XStringToKeysym(name.c_str());
}

}  // namespace

const WindowState* ProgramState::Find(const std::string& className, long long id, Visibility v) const {
  for (const auto& w : windows)
    if (w.className == className && (id == -1 || w.id == id) && (v == Visibility::kAny || w.visible))
      return &w;
  return nullptr;
}

const WindowState* ProgramState::ByHandle(const std::string& hwnd) const {
  for (const auto& w : windows)
    if (w.hwnd == hwnd) return &w;
  return nullptr;
}

int ProgramState::Count(const std::string& className, Visibility v) const {
  int n = 0;
  for (const auto& w : windows)
    if (w.className == className && (v == Visibility::kAny || w.visible)) ++n;
  return n;
}

bool Reported(const ProgramState& s, const std::string& key, const std::string& what, ScreenRect& r) {
  for (const auto& [k, v] : s.values) {
    if (k != key) continue;
    std::istringstream in(v);
    std::string rest;
    in >> r.x >> r.y >> r.width >> r.height;
    std::getline(in >> std::ws, rest);
    if (rest == what) return true;
  }
  return false;
}

const WindowState* ProgramState::TopLevelTitled(const std::string& prefix) const {
  for (const auto& w : windows)
    if (w.parent == "0" && w.visible && w.text.rfind(prefix, 0) == 0) return &w;
  return nullptr;
}

std::string ProgramState::Value(const std::string& key) const {
  for (const auto& [k, v] : values)
    if (k == key) return v;
  return "";
}

RealDisplay::RealDisplay(WindowManager wm, int width, int height) {
  if (!StartServer(width, height)) {
    ADD_FAILURE() << "no X server: " << error_;
    return;
  }
  if (wm == WindowManager::kOpenbox && !StartWindowManager())
    ADD_FAILURE() << "no window manager: " << error_;
}

RealDisplay::~RealDisplay() { StopAll(); }

void RealDisplay::StopAll() {
  Stop(program_);
  if (hookFd_ >= 0) ::close(hookFd_);
  hookFd_ = -1;
  if (display_) XCloseDisplay(Dpy(display_));
  display_ = nullptr;
  Stop(wm_);
  Stop(server_);
}

bool RealDisplay::StartServer(int width, int height) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  server_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp",
                   "-noreset", "+extension", "XTEST"},
                  {}, fds[1], true);
  ::close(fds[1]);
  std::string got;
  auto end = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (got.find('\n') == std::string::npos && MsLeft(end) > 0)
    if (!ReadAvailable(fds[0], got, MsLeft(end))) break;
  ::close(fds[0]);
  if (got.find('\n') == std::string::npos) {
    error_ = "Xvfb did not start (is it installed? scripts/setup.sh)";
    return false;
  }
  number_ = std::atoi(got.c_str());
  display_ = XOpenDisplay(DisplayName().c_str());
  if (!display_) {
    error_ = "cannot open " + DisplayName();
    return false;
  }
  int ev, err, major, minor;
  if (!XTestQueryExtension(Dpy(display_), &ev, &err, &major, &minor)) {
    error_ = "the server has no XTEST";
    return false;
  }
  // A key is pressed and released by two requests; on a loaded machine the
  // server's auto-repeat could fire between them and type the key twice.
  XAutoRepeatOff(Dpy(display_));
  XSync(Dpy(display_), False);
  return true;
}

bool RealDisplay::StartWindowManager() {
  Display* d = Dpy(display_);
  wm_ = Spawn({"openbox", "--sm-disable"}, {"DISPLAY=" + DisplayName()}, -1, true);
  // openbox names itself on the root window as soon as it owns the screen,
  // but manages new windows only once its start-up has also published the
  // work area; a program mapped in between keeps a bare window.
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  const Atom workArea = XInternAtom(d, "_NET_WORKAREA", False);
  auto has = [&](Atom property, Atom kind, unsigned long least) {
    Atom type;
    int format;
    unsigned long n = 0, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), property, 0, 4, False, kind, &type, &format, &n, &after,
                           &data) != Success ||
        !data)
      return false;
    XFree(data);
    return n >= least;
  };
  auto end = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (MsLeft(end) > 0) {
    if (has(check, XA_WINDOW, 1) && has(workArea, XA_CARDINAL, 4)) return true;
    if (::waitpid(wm_, nullptr, WNOHANG) == wm_) {
      wm_ = -1;
      break;
    }
    ::usleep(5000);  // another program's start-up: nothing to sync with
  }
  error_ = "openbox did not start (is it installed? scripts/setup.sh)";
  return false;
}

bool RealDisplay::Start(const std::string& program, const std::vector<std::string>& args) {
  if (!display_) return false;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  program_ = Spawn(argv,
                   {"DISPLAY=" + DisplayName(), "QT_QPA_PLATFORM=xcb",
                    "MIRT_TEST_HOOK=" + std::to_string(fds[1]), "XAUTHORITY=/dev/null"},
                   fds[1], false);
  ::close(fds[1]);
  hookFd_ = fds[0];
  std::string line;
  if (!ReadLine(line, kStartTimeoutMs) || line.rfind("hello ", 0) != 0) {
    error_ = "the program gave no greeting: " + line;
    return false;
  }
  syncWindow_ = std::strtoul(line.c_str() + 6, nullptr, 10);
  return true;
}

bool RealDisplay::ReadLine(std::string& line, int timeoutMs) {
  auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    size_t nl = buffer_.find('\n');
    if (nl != std::string::npos) {
      line = buffer_.substr(0, nl);
      buffer_.erase(0, nl + 1);
      return true;
    }
    if (MsLeft(end) <= 0 || !ReadAvailable(hookFd_, buffer_, MsLeft(end))) return false;
  }
}

ProgramState RealDisplay::Sync() {
  ProgramState state;
  if (!display_ || hookFd_ < 0) {
    ADD_FAILURE() << "no program to sync with";
    return state;
  }
  if (!TrySync(kSyncTimeoutMs, state))
    ADD_FAILURE() << "the program did not answer the sync" << (ProgramRunning() ? "" : " (it ended)");
  return state;
}

bool RealDisplay::TrySync(int timeoutMs, ProgramState& state) {
  state = ProgramState();
  if (!display_ || hookFd_ < 0) return false;
  Display* d = Dpy(display_);
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = syncWindow_;
  ev.xclient.message_type = XInternAtom(d, kSyncAtom, False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(++seq_);
  XSendEvent(d, syncWindow_, False, NoEventMask, &ev);
  XSync(d, False);
  // Answers to earlier syncs that came too late are skipped.
  std::string line, want = "state " + std::to_string(seq_);
  do {
    if (!ReadLine(line, timeoutMs)) return false;
  } while (line != want);
  while (ReadLine(line, timeoutMs) && line != "end") {
    size_t sp = line.find(' ');
    std::string key = line.substr(0, sp), rest = sp == std::string::npos ? "" : line.substr(sp + 1);
    if (key == "focus") {
      state.focus = rest;
    } else if (key == "active") {
      state.active = rest;
    } else if (key == "capture") {
      state.capture = rest;
    } else if (key == "native") {
      state.nativeWindows = std::atoi(rest.c_str());
    } else if (key == "wnd") {
      WindowState w;
      if (ParseWindow(line, w)) state.windows.push_back(w);
    } else {
      state.values.emplace_back(key, rest);
    }
  }
  return true;
}

ProgramState RealDisplay::WaitFor(const std::function<bool(const ProgramState&)>& condition,
                                  const std::string& what, int timeoutMs) {
  auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    ProgramState s = Sync();
    if (condition(s)) return s;
    if (MsLeft(end) <= 0 || !ProgramRunning()) {
      ADD_FAILURE() << "timed out waiting for: " << what;
      return s;
    }
    ::usleep(10000);  // the window manager works in its own time
  }
}

void RealDisplay::MoveTo(int x, int y) {
  if (!display_) return;
  XTestFakeMotionEvent(Dpy(display_), -1, x, y, CurrentTime);
  XSync(Dpy(display_), False);
}

void RealDisplay::Press(int button) {
  if (!display_) return;
  XTestFakeButtonEvent(Dpy(display_), button, True, CurrentTime);
  XSync(Dpy(display_), False);
}

void RealDisplay::Release(int button) {
  if (!display_) return;
  XTestFakeButtonEvent(Dpy(display_), button, False, CurrentTime);
  XSync(Dpy(display_), False);
}

void RealDisplay::Click(int x, int y, int button) {
  MoveTo(x, y);
  Press(button);
  Release(button);
}

void RealDisplay::DoubleClick(int x, int y) {
  Click(x, y);
  Click(x, y);
}

void RealDisplay::Drag(int fromX, int fromY, int toX, int toY, int steps) {
  MoveTo(fromX, fromY);
  Press();
  for (int i = 1; i <= steps; ++i) {
    MoveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    Sync();
  }
  Release();
}

void RealDisplay::KeyDown(const std::string& name) {
  if (!display_) return;
  KeyCode code = XKeysymToKeycode(Dpy(display_), NamedKey(name));
  if (!code) ADD_FAILURE() << "no key " << name;
  XTestFakeKeyEvent(Dpy(display_), code, True, CurrentTime);
  XSync(Dpy(display_), False);
}

void RealDisplay::KeyUp(const std::string& name) {
  if (!display_) return;
  XTestFakeKeyEvent(Dpy(display_), XKeysymToKeycode(Dpy(display_), NamedKey(name)), False, CurrentTime);
  XSync(Dpy(display_), False);
}

void RealDisplay::Key(const std::string& combo) {
  auto parts = Split(combo, '+');
  for (const auto& p : parts) KeyDown(p);
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) KeyUp(*it);
}

namespace {

// Punctuation by its X key name on the server's US layout. Legend: shift =
// typed with the shift key.
struct TypedPunctuation {
  char c;
  const char* key;
  bool shift;
};
constexpr TypedPunctuation kTypedPunctuation[] = {
    {'/', "slash", false},      {'-', "minus", false},       {'.', "period", false},    {',', "comma", false},
    {'\\', "backslash", false}, {'=', "equal", false},       {';', "semicolon", false}, {'_', "minus", true},
    {':', "semicolon", true},   {'+', "equal", true},        {'(', "9", true},          {')', "0", true},
    {'{', "bracketleft", true}, {'}', "bracketright", true}, {'\n', "Return", false},
};

}  // namespace

void RealDisplay::Type(const std::string& text) {
  for (char c : text) {
    std::string name = c == ' ' ? "space" : std::string(1, c);
    bool shift = c >= 'A' && c <= 'Z';
    if (shift) name = std::string(1, static_cast<char>(c - 'A' + 'a'));
    for (const TypedPunctuation& p : kTypedPunctuation)
      if (p.c == c) {
        name = p.key;
        shift = p.shift;
      }
    Key(shift ? "shift+" + name : name);
  }
}

bool RealDisplay::IsOverrideRedirect(unsigned long xid) {
  XWindowAttributes a{};
  return display_ && XGetWindowAttributes(Dpy(display_), xid, &a) && a.override_redirect;
}

unsigned long RealDisplay::TransientFor(unsigned long xid) {
  Window owner = 0;
  if (!display_ || !XGetTransientForHint(Dpy(display_), xid, &owner)) return 0;
  return owner;
}

bool RealDisplay::IsMapped(unsigned long xid) {
  XWindowAttributes a{};
  return display_ && XGetWindowAttributes(Dpy(display_), xid, &a) && a.map_state == IsViewable;
}

bool RealDisplay::HasInputFocus(unsigned long xid) {
  if (!display_) return false;
  Display* d = Dpy(display_);
  Window focus = 0, root = 0, parent = 0, *kids = nullptr;
  int revert = 0;
  unsigned n = 0;
  XGetInputFocus(d, &focus, &revert);
  for (Window w = focus; w > PointerRoot; w = parent) {
    if (w == xid) return true;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return false;
    if (kids) XFree(kids);
    if (w == root) break;
  }
  return false;
}

ScreenRect RealDisplay::FrameRect(unsigned long xid) {
  if (!display_) return {};
  Display* d = Dpy(display_);
  Window w = xid, root = 0, parent = 0, *kids = nullptr;
  unsigned n = 0;
  for (;;) {
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return {};
    if (kids) XFree(kids);
    if (parent == root || !parent) break;
    w = parent;
  }
  XWindowAttributes a{};
  XGetWindowAttributes(d, w, &a);
  return ScreenRect{a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
}

unsigned RealDisplay::PixelAt(int x, int y) {
  if (!display_) return 0;
  Display* d = Dpy(display_);
  XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0;
  unsigned p = static_cast<unsigned>(XGetPixel(img, 0, 0)) & 0xFFFFFF;
  XDestroyImage(img);
  return p;
}

std::vector<unsigned> RealDisplay::Pixels(const ScreenRect& area) {
  std::vector<unsigned> out;
  if (!display_ || area.width <= 0 || area.height <= 0) return out;
  Display* d = Dpy(display_);
  XImage* img = XGetImage(d, DefaultRootWindow(d), area.x, area.y, static_cast<unsigned>(area.width),
                          static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
  if (!img) return out;
  out.reserve(static_cast<size_t>(area.width) * static_cast<size_t>(area.height));
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x)
      out.push_back(static_cast<unsigned>(XGetPixel(img, x, y)) & 0xFFFFFF);
  XDestroyImage(img);
  return out;
}

std::string RealDisplay::SavePicture(const std::string& name) {
  if (!display_) return "";
  Display* d = Dpy(display_);
  XWindowAttributes root{};
  XGetWindowAttributes(d, DefaultRootWindow(d), &root);
  XImage* img = XGetImage(d, DefaultRootWindow(d), 0, 0, root.width, root.height, AllPlanes, ZPixmap);
  if (!img) return "";
  QImage pic(root.width, root.height, QImage::Format_RGB32);
  for (int y = 0; y < root.height; ++y)
    for (int x = 0; x < root.width; ++x) pic.setPixel(x, y, 0xFF000000u | (XGetPixel(img, x, y) & 0xFFFFFF));
  XDestroyImage(img);
  std::string dir = ProgramDir() + "/../pictures/real_input";
  std::filesystem::create_directories(dir);
  std::string path = dir + "/" + name + ".png";
  pic.save(QString::fromStdString(path));
  return path;
}

bool RealDisplay::ProgramRunning() {
  if (program_ <= 0) return false;
  if (::waitpid(program_, &exitStatus_, WNOHANG) == program_) {
    program_ = -1;
    return false;
  }
  return true;
}

}  // namespace mirt_test
