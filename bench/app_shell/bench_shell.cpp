#include "bench/app_shell/bench_shell.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/main_frame.h"
#include "editor/view/cmirt2doc.h"
#include "platform/afx/docmanager.h"
#include "platform/sys/file.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace bench_shell {

constexpr int kBenchShellShowNormal = 1;  // SW_SHOWNORMAL, as the IDE saves a normal child window

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

BenchShell::BenchShell(const std::string& prefix) : m_dir(prefix) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // A profile of its own, which no other program changes under the timing.
  const std::string settings = Dir() + "/settings";
  std::filesystem::create_directories(settings);
  setenv("MIRT_CONFIG_DIR", settings.c_str(), 1);
  mirt_ui::EnsureApplication();
  m_app = new CMirt2App;
  std::filesystem::copy_file(std::string(m_app->m_programDir) + "/../bin/mirt.cfg", Dir() + "/mirt.cfg");
  SetCurrentDirectory(Dir().c_str());
  m_app->SetRegistryKey("KALVEN");
}

std::string BenchShell::MakeFile(const std::string& name, const std::string& text) {
  const std::string path = Dir() + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}

std::string BenchShell::MakeSource(const std::string& name, int lines) {
  std::string text;
  for (int line = 0; line < lines; ++line) text += "int value" + std::to_string(line) + " = 0;\r\n";
  return MakeFile(name, text);
}

void BenchShell::SetReopen(const std::vector<std::string>& files) {
  // The list ends at its first empty entry.
  const size_t entries = std::max(files.size(), m_reopenWritten) + 1;
  for (size_t i = 0; i < entries; ++i) {
    CString key;
    key.Format("%d", static_cast<int>(i + 1));
    m_app->WriteProfileString(m_app->m_openFilesSection, key, i < files.size() ? files[i].c_str() : "");
    // As the IDE leaves them: each document shown in a normal child window.
    CString status;
    status.Format("status%d", static_cast<int>(i + 1));
    m_app->WriteProfileInt(m_app->m_openFilesSection, status, i < files.size() ? kBenchShellShowNormal : 0);
  }
  m_reopenWritten = files.size();
}

void BenchShell::SetProject(const std::string& path) {
  m_app->WriteProfileString(m_app->m_openProjectSection, "1", path.c_str());
}

void BenchShell::Start() {
  m_app->InitInstance();
  ::PumpWaitingMessages();
  m_app->OnIdle(0);
}

void BenchShell::ShutDown() {
  if (g_pMainFrame) g_pMainFrame->DestroyWindow();
  ::PumpWaitingMessages();
  delete m_app->m_pDocManager;
  m_app->m_pDocManager = nullptr;
}

double BenchShell::StartUp() {
  const auto t0 = Clock::now();
  Start();
  const double seconds = SecondsSince(t0);
  ShutDown();
  return seconds;
}

double BenchShell::LoadFilesAlone(const std::vector<std::string>& files) {
  const auto t0 = Clock::now();
  for (const std::string& file : files) {
    CMirt2Doc doc;
    doc.LoadSourceFile(file.c_str());
  }
  return SecondsSince(t0);
}

}  // namespace bench_shell
