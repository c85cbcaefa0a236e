// The kernel link over a COM port.
#pragma once

#include "debugger/kernel_link.h"

class CTDKernelCommunicationSerial : public CTDKernelCommunication {
 public:
  // portName: "\\.\COM%d"; *ok is 1 when the port is open and set up.
  CTDKernelCommunicationSerial(LPCSTR portName, DWORD baudRate, int* ok);
  ~CTDKernelCommunicationSerial() override;  // closes the port

  int ReceiveEvent(BYTE* answer, int noEvent) override;
  int SendKernelCommand(char command, const BYTE* request, WORD requestLength, BYTE* answer,
                        WORD expected) override;
  int Poll(BYTE* answer) override;
  void Escape() override;
  void Abort() override { abortFlag = 1; }

  HANDLE port = nullptr;

 protected:
  // A link without a port, for a derived class that brings its own line.
  CTDKernelCommunicationSerial() = default;
  virtual bool IsOpen() const { return port != nullptr; }
  virtual bool Write(const BYTE* bytes, DWORD count);
  // Reads up to count bytes within the port's time-outs; the number read.
  virtual DWORD Read(BYTE* buffer, DWORD count);

 private:
  bool SetUpPort(DWORD baudRate);
  void Drain();
  void SendFrame(char command, const BYTE* request, WORD requestLength, DWORD pauseMs);
  // The answer's length byte into answer[0], read until one arrives or
  // the wait is aborted.
  bool WaitForLength(BYTE* answer);
  // Go-ahead, then exactly length data bytes into answer[1..].
  bool ReadAnswerData(BYTE* answer, BYTE length);
  void ReportEvent();
};
