// The IDE's application object started offscreen with its own profile key
// and an installation folder of its own, and what tests do with it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_frame.h"
#include "app/mirt2_app.h"

namespace shell_test {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the start-up with these command-line arguments.
  void Start(const std::vector<std::string>& args = {});
  // Closes the main window as its close box does, then ends the program's run.
  void Close();
  void Pump();
  // Writes a window's picture into the build tree.
  void Picture(HWND hwnd, const char* name);
  // A file in the test's folder; returns its full path.
  std::string MakeFile(const std::string& name, const std::string& text);
  // The source views open, oldest document first.
  int OpenDocumentCount();

  CMirt2App& app();
  CMainFrame* frame = nullptr;
  std::string dir;  // installation and work folder
};

// Removes the application's profile key with everything under it.
void ForgetProfile();

}  // namespace shell_test
