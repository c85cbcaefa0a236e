#include "app/install_commands.h"

#include <string>

#include "app/core/project_data.h"
#include "debugger/kalven_board.h"
#include "debugger/kalven_board_qjx.h"
#include "debugger/kalven_board_zor.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"

namespace {

constexpr const char* kBoardToolsLibrary = "a_qjx.dll";
// The run flags the IDE passes to the installer.
constexpr WORD kInstallRunFlags = 21;

// The board's service messages are not used here.
void InstallIgnoreMessage(WORD) {}

std::string InstallText(const char* s) { return s ? s : ""; }

}  // namespace

CInstaller::InstallProc CInstaller::BoardToolsInstaller() {
  // Bound once and kept for the process, as a delay-loaded import is.
  static HMODULE library = nullptr;
  static InstallProc install = nullptr;
  if (!library) library = LoadLibrary(kBoardToolsLibrary);
  if (!library) {
    AfxMessageBox("Error!\r\n\r\nUnable to load A_QJX.DLL.", MB_OK | MB_ICONSTOP);
    return nullptr;
  }
  if (!install)
    install =
        reinterpret_cast<InstallProc>(reinterpret_cast<void*>(GetProcAddress(library, "a_qjx_install")));
  return install;
}

BOOL CInstaller::CreateBoard() {
  switch (m_project.cardClass) {
    case kCardClassTRail:
      g_pBoard = new CKalvenBoardZOR(m_project.cardNumber, &m_project);
      return TRUE;
    case kCardClassQJ:
      g_pBoard = new CKalvenBoardQJx(m_project.cardNumber, &m_project);
      return TRUE;
    default:
      MessageBox(nullptr, "Board type not specified", "MIRT", MB_OK);
      return FALSE;
  }
}

void CInstaller::Install() {
  g_pBoard = nullptr;
  if (!BoardToolsInstaller()) return;
  if (CreateBoard()) {
    WORD started = g_pBoard->Open(InstallIgnoreMessage);
    if (started != kBoardLibraryMissing) {
      if (started != 0 &&
          MessageBox(nullptr, "Card could not be started.\nReset Now?", "MIRT", MB_YESNO) == IDYES)
        g_pBoard->ResetAndLoadOS(InstallIgnoreMessage);
      RunInstallationFile();
    }
  }
  delete g_pBoard;
  g_pBoard = nullptr;
}

WORD CInstaller::RunInstallationFile() {
  m_writeDebugPane("executing installation file...");
  std::string path = InstallText(m_project.projectDir) + "/" + InstallText(m_project.insFile);
  InstallProc install = BoardToolsInstaller();
  WORD result = install ? install(path.c_str(), kInstallRunFlags) : kBoardLibraryMissing;
  if (g_pBoard) g_pBoard->SetService(InstallIgnoreMessage);
  m_writeDebugPane(result == 0 ? "installation was succesful" : "installation failed");
  return result;
}

WORD CInstaller::InstallDebugKernel() {
  m_writeDebugPane("Installing debug kernel...");
  if (!g_pBoard) {
    m_writeDebugPane("error installing debug kernel");
    return kBoardLibraryMissing;
  }
  g_pBoard->Open(InstallIgnoreMessage);
  std::string kernelDir = InstallText(m_project.kernelDir);
  if (kernelDir.empty()) kernelDir = plat::ProgramDir() + "/";
  WORD result = g_pBoard->LoadDebugKernel(m_project.pcPort, m_project.baudRate,
                                          static_cast<BYTE>(m_project.cardInterface), m_project.kernelNum,
                                          kernelDir.c_str());
  m_writeDebugPane(result == 0 ? "debug kernel succesfully installed" : "error installing debug kernel");
  return result;
}
