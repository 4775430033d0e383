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

// Configuration page (template 103). Its form names each widget "id<number>_<what>".
// Buttons.
inline constexpr int kViewImportedData = 1006;
inline constexpr int kSetCfgAndAdvCfg = 1007;
inline constexpr int kTestButton = 1008;
inline constexpr int kGetCfgAndAdvCfg = 1009;
inline constexpr int kSetConfig = 1026;
inline constexpr int kGetConfig = 1027;
inline constexpr int kResetMinMaxButton = 1028;
inline constexpr int kGetAdvConfig = 1228;
inline constexpr int kSetAdvConfig = 1259;
inline constexpr int kSyncClock = 1416;
// "<CONFIGURE>" combo boxes.
inline constexpr int kTapChanger = 1024;
inline constexpr int kRegulatorType = 1037;
inline constexpr int kSystemConnection = 1041;
inline constexpr int kDeltaPower = 1045;
inline constexpr int kUtilityPolarity = 1049;
inline constexpr int kPrimaryVoltageMax = 1053;
inline constexpr int kPowerFlow = 1072;
inline constexpr int kBasisVolts = 1079;
// "<CONFIGURE>" edits.
inline constexpr int kU2PtPrimary = 1059;
inline constexpr int kU2PtSecondary = 1063;
inline constexpr int kP2PtPrimary = 1066;
inline constexpr int kP2PtSecondary = 1068;
inline constexpr int kFullLoadCurrent = 1070;
inline constexpr int kCtPrimary = 1076;
inline constexpr int kCtSecondary = 1078;
inline constexpr int kNeutralOverrun = 1081;
inline constexpr int kMemo1 = 1083;
inline constexpr int kMemo2 = 1085;
inline constexpr int kSoftwareVersion = 1018;
// "<ADV CONFIGURE>" combo boxes.
inline constexpr int kMeterVolts = 1212;
inline constexpr int kCurrentThreshold = 1214;
inline constexpr int kDateFormat = 1234;
inline constexpr int kDaylightSaving = 1242;
inline constexpr int kDemandType = 1244;
inline constexpr int kAutoVariamp = 1245;
inline constexpr int kSoftVariamp = 1246;
inline constexpr int kRaiseLimit = 1247;
inline constexpr int kLowerLimit = 1248;
inline constexpr int kSlaveMaster = 1249;
inline constexpr int kTapAlert = 1250;
inline constexpr int kAlertMetering = 1251;
inline constexpr int kAlertControlComm = 1252;
inline constexpr int kAlertSystemStatus = 1253;
inline constexpr int kTapResync = 1280;
inline constexpr int kCommAutoInhibit = 1281;
// Model-dependent combo boxes, which the main window disables by panel version.
inline constexpr int kTimeoutDisplayScreen = 1254;
inline constexpr int kLowerLed = 1255;
inline constexpr int kP2Calc = 1256;
inline constexpr int kU2P2Out = 1257;
inline constexpr int kRemoteButton = 1258;
inline constexpr int kRemoteAuto = 1260;
// "<ADV CONFIGURE>" edits.
inline constexpr int kCurrentShift = 1216;
inline constexpr int kLoadCurrentMax = 1218;
inline constexpr int kPtThreshold = 1220;
inline constexpr int kDemandTime = 1224;
inline constexpr int kDemandSubperiods = 1226;
inline constexpr int kMinMaxTimeout = 1236;
inline constexpr int kScreenTimeout = 1261;
inline constexpr int kQuickTimeout = 1238;
inline constexpr int kQuickDisplayTime = 1240;
inline constexpr int kPanelTime = 1231;
inline constexpr int kPanelDate = 1276;
// Hidden, unused edits.
inline constexpr int kHiddenEdit1 = 1425;
inline constexpr int kHiddenEdit2 = 1426;

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
