// Texts of the installation-file interpreter: the syntax help of each
// command, the command overview and its messages.
#pragma once

namespace ins {

constexpr const char* kCommandOverview =
    "T-Rail Commands: ZORRESET, ZORCONNECTCPU, ZORLOADVANTOR, ZORINST, ZORPROC, ZORFUNC, ZORPAR, "
    "ZORLOADMDD, ZORFLASHFILE\r\nQJx Commands:  QxDEVICE, QxINST, QxPAR, QxPROC, QxFUNC, QxCMD (x=2,6,7,8)";
constexpr const char* kCommentHelp = "' ; Comment text";
constexpr const char* kDeviceHelp = "QxDEVICE adr [TIMEOUT=time] [RESET osname]";
constexpr const char* kInstHelp = "QxINST filename number task interrupt datasize flags";
constexpr const char* kParHelp = "QxPAR task start b1 [b2] [b3] ... [bm]";
constexpr const char* kProcHelp = "QxPROC task procnr";
constexpr const char* kFuncHelp = "QxFUNC task funcnr [p1] [p2] ... [pn]";
constexpr const char* kCmdHelp = "QXCMD code format [p1] ... [pn]";
constexpr const char* kZorInstHelp =
    "ZORINST file=\"\" no= [task=] [tasktype=] [level=] [irq=] [datasize=] [autoinit] [activate]";
constexpr const char* kZorResetHelp = "ZORRESET board=";
constexpr const char* kZorConnectHelp = "ZORCONNECTCPU board= slot= layer=";
constexpr const char* kZorVantorHelp = "ZORLOADVANTOR vantor=\"\"";
constexpr const char* kZorProcHelp = "ZORPROC task= proc=";
constexpr const char* kZorFuncHelp = "ZORFUNC task= func= para=";
constexpr const char* kZorParHelp = "ZORPAR task= start= para";
constexpr const char* kZorMddHelp = "ZORLOADMDD slot= layer= progno=";
constexpr const char* kZorFlashHelp = "ZORFLASHFILE file=";
constexpr const char* kPelixHelp = "PELIXCONNECTCHANNELS name= count= index=";

constexpr const char* kFileNotOpened = "Installation file error.\r\nFile could not be opened!";
constexpr const char* kParameterError = "Parameter error";
constexpr const char* kWrongBoard = "Wrong board number";
constexpr const char* kAnswerPrefix = "Answer (hex): ";
constexpr const char* kNoKeyword = "No Keyword";
constexpr const char* kTooManyParameters = "Too many parameter";
constexpr const char* kFuncTimeout = "Timeout in communication";
constexpr const char* kFuncMissing = "Illegal number of function call or task is not installed";
constexpr const char* kFlashFileSkipped = "This command will not be executed by YTN32 INS-Editor!";
constexpr const char* kPelixSkipped = "This command will not be executed by YTN32!";

constexpr const char* kBoxCaption = "KALVEN - Installation File";
constexpr const char* kRule = "\r\n______________________________\r\n\r\n";
constexpr const char* kFinished = "Installation finished!";

}  // namespace ins
