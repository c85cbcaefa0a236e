// SECListCtrl: the concrete list window; gives SECListBaseC its run-time
// class and the message map that routes window messages to its handlers.
#pragma once

#include "controls/list_base.h"

class SECListCtrl : public SECListBaseC {
  DECLARE_DYNAMIC(SECListCtrl)
 public:
  SECListCtrl() = default;
  ~SECListCtrl() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
