#include "framework/sec_gripper_info.h"

#include "framework/sec_res.h"

SECGripperInfo::SECGripperInfo()
    : m_strCloseTip(SECLoadString(IDS_SEC_GRIPPER_CLOSE)),
      m_strExpandTip(SECLoadString(IDS_SEC_GRIPPER_EXPAND)),
      m_strContractTip(SECLoadString(IDS_SEC_GRIPPER_CONTRACT)) {}
