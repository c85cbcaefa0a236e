// The time/date dialog (the board's real-time clock) and the timer dialog
// (timers A, B and C), modeless over the channels their exports opened.
#pragma once
#include "a_qjx/clock_values.h"
#include "a_qjx/modeless_tool_dialog.h"

class CTimeDateDialog : public CModelessToolDialog {
 public:
  explicit CTimeDateDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void ReadClock();

  ClockValues values;

 protected:
  void OnWrite();
  void OnSystemTime();
  void OnFieldLeft(UINT id);
  void OnHelp();
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()

 private:
  void WriteClock();
  bool checking_ = false;
};

class CTimerDialog : public CModelessToolDialog {
 public:
  explicit CTimerDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

  UINT clock = 0;
  UINT range[3] = {};
  UINT interval[3] = {};

 protected:
  void OnRunClicked(UINT id);
  void OnIntervalLeft(UINT id);
  void OnHelp();
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()

 private:
  bool started_[3] = {};
  bool checking_ = false;
};
