#pragma once
// Control ids of the Regulator and Comm page (template 109). Its form names each widget
// "id<number>_<what>".

namespace ids::regulator {

inline constexpr int kTemplate = 109;
inline constexpr char kFormFile[] = "regulator_comm_page.ui";

// Buttons.
inline constexpr int kViewImportedData = 1006;
inline constexpr int kSetRegAndCommConfig = 1007;
inline constexpr int kGetRegAndCommConfig = 1009;
inline constexpr int kGetRegConfig = 1179;
inline constexpr int kSetRegConfig = 1180;
inline constexpr int kSendSetPointConfig = 1181;
inline constexpr int kGetSetPointConfig = 1183;
inline constexpr int kGetCommConfig = 1278;
inline constexpr int kSetCommConfig = 1279;
// "<REGULATOR>" set points.
inline constexpr int kFwdVolts = 1130;
inline constexpr int kFwdBandwidth = 1132;
inline constexpr int kFwdDelay = 1134;
inline constexpr int kFwdCompR = 1136;
inline constexpr int kFwdCompX = 1138;
inline constexpr int kRevVolts = 1140;
inline constexpr int kRevBandwidth = 1142;
inline constexpr int kRevDelay = 1144;
inline constexpr int kRevCompR = 1146;
inline constexpr int kRevCompX = 1148;
// "<REGULATOR>" alternate delay, VRC and VLC edits.
inline constexpr int kAltDelay = 1150;
inline constexpr int kVrcStatus = 1152;  // read only
inline constexpr int kLocalVrc = 1158;
inline constexpr int kVrcStage1 = 1160;
inline constexpr int kVrcStage2 = 1162;
inline constexpr int kVrcStage3 = 1164;
inline constexpr int kKz3aVrc = 1166;
inline constexpr int kAutoVrcSet1 = 1168;
inline constexpr int kAutoVrcSet2 = 1170;
inline constexpr int kAutoVrc1Current = 1172;
inline constexpr int kAutoVrc2Current = 1174;
inline constexpr int kVlcUpper = 1176;
inline constexpr int kVlcLower = 1178;
// "<REGULATOR>" lists.
inline constexpr int kVrcMode = 1101;
inline constexpr int kVrcRemote = 1106;
inline constexpr int kVrc1Input = 1122;
inline constexpr int kVrc2Input = 1128;
inline constexpr int kVlcEnable = 1156;
// "<COMMUNICATIONS>" edits.
inline constexpr int kRegId = 1262;
inline constexpr int kCommAddress = 1266;
inline constexpr int kResyncTime = 1267;
inline constexpr int kTxEnableDelay = 1268;
inline constexpr int kCmVersion = 1275;  // read only
// "<COMMUNICATIONS>" lists.
inline constexpr int kProtocol = 1263;
inline constexpr int kCommBaud = 1264;
inline constexpr int kCommParity = 1265;
inline constexpr int kDnpConfirm = 1269;
inline constexpr int kCmRepeatEnable = 1270;
inline constexpr int kAutoInhibitRemote = 1273;
inline constexpr int kDnpSet = 1274;
// Hidden, unused controls.
inline constexpr int kHostAddress = 1271;
inline constexpr int kCmUnsolicited = 1272;
inline constexpr int kHiddenEdit1 = 1426;
inline constexpr int kHiddenEdit2 = 1427;
inline constexpr int kHiddenEdit3 = 1428;

}  // namespace ids::regulator
