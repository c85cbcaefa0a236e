#include "debugger/kernel_link_serial.h"

#include <cstring>

#include "debugger/debug_control.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/serial_port.h"
#include "platform/sys/time.h"

namespace {

const BYTE kGoAhead = 0x00;
const DWORD kFramePauseMs = 11;
const DWORD kEscapePauseMs = 50;
// What the opening drain takes at most: a line that never falls silent
// must not keep the session from starting.
const int kMaxDrainBytes = 65536;

}  // namespace

CTDKernelCommunicationSerial::CTDKernelCommunicationSerial(LPCSTR portName, DWORD baudRate, int* ok) {
  port = CreateFile(portName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    port = nullptr;
    MessageBox(nullptr, "Could not open port", "Alert", MB_OK);
    *ok = 0;
    return;
  }
  SetUpPort(baudRate);
  Drain();
  abortFlag = 0;
  *ok = 1;
  splitMode = 1;
}

CTDKernelCommunicationSerial::~CTDKernelCommunicationSerial() {
  if (port) CloseHandle(port);
}

bool CTDKernelCommunicationSerial::SetUpPort(DWORD baudRate) {
  DCB dcb;
  std::memset(&dcb, 0, sizeof dcb);
  dcb.DCBlength = sizeof dcb;
  GetCommState(port, &dcb);
  dcb.BaudRate = baudRate;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  bool ok = SetCommState(port, &dcb);
  COMMTIMEOUTS timeouts;
  std::memset(&timeouts, 0, sizeof timeouts);
  GetCommTimeouts(port, &timeouts);
  timeouts.ReadIntervalTimeout = 20;
  timeouts.ReadTotalTimeoutMultiplier = 200;
  timeouts.ReadTotalTimeoutConstant = 200;
  return SetCommTimeouts(port, &timeouts) && ok;
}

void CTDKernelCommunicationSerial::Drain() {
  BYTE b;
  int drained = 0;
  while (drained < kMaxDrainBytes && Read(&b, 1) == 1) ++drained;
  if (drained > 0) MessageBox(nullptr, "Interface cleared", "Message", MB_OK);
}

bool CTDKernelCommunicationSerial::Write(const BYTE* bytes, DWORD count) {
  DWORD written = 0;
  return WriteFile(port, bytes, count, &written, nullptr) && written == count;
}

DWORD CTDKernelCommunicationSerial::Read(BYTE* buffer, DWORD count) {
  DWORD got = 0;
  if (!ReadFile(port, buffer, count, &got, nullptr)) return 0;
  return got;
}

void CTDKernelCommunicationSerial::SendFrame(char command, const BYTE* request, WORD requestLength,
                                             DWORD pauseMs) {
  BYTE frame[2 + kMaxRequest];
  frame[0] = static_cast<BYTE>(requestLength + 1);
  frame[1] = static_cast<BYTE>(command);
  if (requestLength) std::memcpy(frame + 2, request, requestLength);
  if (splitMode != 1) {
    Write(frame, requestLength + 2u);
    return;
  }
  Write(frame, 1);
  Sleep(pauseMs);
  Write(frame + 1, requestLength + 1u);
}

bool CTDKernelCommunicationSerial::WaitForLength(BYTE* answer) {
  for (;;) {
    if (abortFlag) return false;
    if (Read(answer, 1) == 1) return true;
  }
}

bool CTDKernelCommunicationSerial::ReadAnswerData(BYTE* answer, BYTE length) {
  if (!Write(&kGoAhead, 1)) return false;
  return Read(answer + 1, length) == length;  // the port's time-outs end a short answer
}

void CTDKernelCommunicationSerial::ReportEvent() {
  if (g_pDebugControl) g_pDebugControl->HandleDebugEvent();
}

int CTDKernelCommunicationSerial::SendKernelCommand(char command, const BYTE* request, WORD requestLength,
                                                    BYTE* answer, WORD expected) {
  if (requestLength > kMaxRequest || expected > kMaxAnswer || !IsOpen()) return 0;
  SendFrame(command, request, requestLength, kFramePauseMs);
  BYTE ack;
  if (Read(&ack, 1) != 1) return 0;
  if (command == 'U') return 1;
  if (!WaitForLength(answer)) return 0;
  if (answer[0] != expected) return 0;
  if (answer[0] > 0 && !ReadAnswerData(answer, answer[0])) return 0;
  if (command == 'D') ReportEvent();
  return 1;
}

int CTDKernelCommunicationSerial::ReceiveEvent(BYTE* answer, int noEvent) {
  if (!IsOpen()) return 0;
  SendFrame('D', nullptr, 0, kFramePauseMs);
  BYTE ack;
  if (Read(&ack, 1) != 1) return 0;
  if (!WaitForLength(answer)) return 0;
  if (answer[0] != 4) return 0;
  if (!ReadAnswerData(answer, 4)) return 0;
  if (!noEvent) ReportEvent();
  return 1;
}

int CTDKernelCommunicationSerial::Poll(BYTE* answer) {
  if (!IsOpen() || !Write(&kGoAhead, 1)) return 0;
  if (Read(answer, 1) != 1) return 0;
  if (answer[0] == 0) return 1;
  if (!ReadAnswerData(answer, answer[0])) return 0;
  if (answer[0] >= 2) splitMode = answer[2];
  return 1;
}

void CTDKernelCommunicationSerial::Escape() {
  if (!IsOpen()) return;
  SendFrame('E', nullptr, 0, kEscapePauseMs);
  if (splitMode == 1) Sleep(kEscapePauseMs);
  BYTE junk[50];
  Read(junk, 48);
  Write(&kGoAhead, 1);
  Read(junk, 50);
}
