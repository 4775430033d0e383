#pragma once
// Control ids of the Configuration page (template 103). Its form names each widget
// "id<number>_<what>".

namespace ids::config {

inline constexpr int kTemplate = 103;
inline constexpr char kFormFile[] = "configuration_page.ui";

// Buttons.
inline constexpr int kViewImportedData = 1006;
inline constexpr int kSetCfgAndAdvCfg = 1007;
inline constexpr int kTestButton = 1008;
inline constexpr int kGetCfgAndAdvCfg = 1009;
inline constexpr int kSetConfig = 1026;
inline constexpr int kGetConfig = 1027;
inline constexpr int kResetMinMax = 1028;
inline constexpr int kGetAdvConfig = 1228;
inline constexpr int kSetAdvConfig = 1259;
inline constexpr int kSyncClock = 1416;
// "<CONFIGURE>" lists.
inline constexpr int kTapChanger = 1024;
inline constexpr int kRegulatorType = 1037;
inline constexpr int kSystemConnection = 1041;
inline constexpr int kDeltaPower = 1045;
inline constexpr int kUtilityPolarity = 1049;
inline constexpr int kPrimaryVoltageMax = 1053;
inline constexpr int kPowerFlow = 1072;
inline constexpr int kBasisVolts = 1079;
// "<CONFIGURE>" edits.
inline constexpr int kSoftwareVersion = 1018;
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
// "<ADV CONFIGURE>" lists (the settings report names them by these numbers).
inline constexpr int kMeterVolts = 1212;
inline constexpr int kCurrentThreshold = 1214;
inline constexpr int kDemandType = 1234;
inline constexpr int kAutoVariamp = 1242;
inline constexpr int kSoftVariamp = 1244;
inline constexpr int kRaiseLimit = 1245;
inline constexpr int kLowerLimit = 1246;
inline constexpr int kSlaveMaster = 1247;
inline constexpr int kTapAlert = 1248;
inline constexpr int kAlertMetering = 1249;
inline constexpr int kAlertControlComm = 1250;
inline constexpr int kAlertSystemStatus = 1251;
inline constexpr int kTapResync = 1252;
inline constexpr int kCommAutoInhibit = 1253;
inline constexpr int kDateFormat = 1280;
inline constexpr int kDaylightSaving = 1281;
// Model-dependent lists, which the main window disables by panel version.
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
inline constexpr int kPanelTime = 1231;
inline constexpr int kMinMaxTimeout = 1236;
inline constexpr int kQuickTimeout = 1238;
inline constexpr int kQuickDisplayTime = 1240;
inline constexpr int kScreenTimeout = 1261;
inline constexpr int kPanelDate = 1276;
// Hidden, unused edits.
inline constexpr int kHiddenEdit1 = 1425;
inline constexpr int kHiddenEdit2 = 1426;

}  // namespace ids::config
