#pragma once
// Control ids of the main window and the pages, shared by the behaviour classes and their views.

namespace ids {

// Main window (template 102).
inline constexpr int kConnect = 1000;
inline constexpr int kTabControl = 1001;
inline constexpr int kHiddenExit = 1003;
inline constexpr int kCommPort = 1005;
inline constexpr int kBaud = 1009;
inline constexpr int kParity = 1017;
inline constexpr int kConnectionGroup = 1023;
inline constexpr int kCommAddress = 1030;
inline constexpr int kAddressMode = 1031;
inline constexpr int kIndicator = 1418;
inline constexpr int kRegId = 1423;

// Menu commands.
inline constexpr int kMenuSaveConfig = 32771;
inline constexpr int kMenuOpenConfig = 32772;
inline constexpr int kMenuCloseTabs = 32773;
inline constexpr int kMenuCreateReport = 32774;
inline constexpr int kMenuExit = 32775;
inline constexpr int kMenuAbout = 32777;

// Configuration page (template 103): controls the main window disables by panel version.
inline constexpr int kTimeoutDisplayScreen = 1254;
inline constexpr int kLowerLed = 1255;
inline constexpr int kP2Calc = 1256;
inline constexpr int kU2P2Out = 1257;
inline constexpr int kRemoteButton = 1258;
inline constexpr int kRemoteAuto = 1260;

// Logs and Quick Key page (template 107).
inline constexpr int kLogMinMax = 1317;

// Diag, Pwds and Alerts page (template 108).
inline constexpr int kPanelType = 1379;
inline constexpr int kFixedOnTime = 1380;
inline constexpr int kTapIn = 1381;
inline constexpr int kTapInType = 1382;
inline constexpr int kNeutralIn = 1383;
inline constexpr int kNeutralCount = 1384;

// Pages shown as a register table until their own controls exist.
inline constexpr int kRegisterTable = 2000;
inline constexpr int kPageNote = 2001;
inline constexpr int kGetButton = 2002;
inline constexpr int kSetButton = 2003;

}  // namespace ids
