// The IDE's start-up as a program: mirt2's application object, which
// writes "idle" at its first idle pass and then closes its main window.
#include <unistd.h>

#include "app/mirt2_app.h"
#include "platform/sys/file.h"

namespace {

class FirstIdleApp : public CMirt2App {
 public:
  BOOL InitInstance() override {
    // The installation's files (mirt.cfg) lie beside the programs in bin/.
    SetCurrentDirectory(m_programDir + "/../bin");
    return CMirt2App::InitInstance();
  }
  BOOL OnIdle(LONG count) override {
    if (!m_bReported) {
      m_bReported = TRUE;
      (void)!::write(1, "idle\n", 5);
      if (m_pMainWnd) m_pMainWnd->PostMessage(WM_CLOSE);
    }
    return CMirt2App::OnIdle(count);
  }
  BOOL m_bReported = FALSE;
};

FirstIdleApp theApp;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
