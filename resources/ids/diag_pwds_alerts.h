#pragma once
// Control ids of the Diag, Pwds and Alerts page (template 108). Its form names each widget
// "id<number>_<what>".

namespace ids::diag {

inline constexpr int kTemplate = 108;
inline constexpr char kFormFile[] = "diag_pwds_alerts_page.ui";

// "Common Controls".
inline constexpr int kViewImportedData = 1006;
inline constexpr int kSetDiagAndPwds = 1007;
inline constexpr int kGetDiagAndPwds = 1413;

// "<DIAGNOSTICS>" buttons.
inline constexpr int kSetDiagnostics = 1358;
inline constexpr int kGetDiagnostics = 1359;
inline constexpr int kToggleDiagChanges = 1448;
// "<DIAGNOSTICS>" edits.
inline constexpr int kMainBoardVersion = 1365;
inline constexpr int kPowerBoardVersion = 1366;
inline constexpr int kMaskVersion = 1367;
inline constexpr int kSerialNumber = 1368;
inline constexpr int kProductRevision = 1369;
inline constexpr int kCheckSum = 1370;
// The settings report names the six times 1372..1377.
inline constexpr int kRaiseLowerOnTime = 1372;
inline constexpr int kRaiseLowerOffTime = 1373;
inline constexpr int kTapChangeTimeout = 1374;
inline constexpr int kTapInPulse = 1375;
inline constexpr int kPreTapTime = 1376;
inline constexpr int kPostTapTime = 1377;
// "<DIAGNOSTICS>" lists.
inline constexpr int kPanelType = 1379;
inline constexpr int kFixedOnTime = 1380;
inline constexpr int kTapIn = 1381;
inline constexpr int kTapInType = 1382;
inline constexpr int kNeutralIn = 1383;
inline constexpr int kNeutralCount = 1384;

// "<PASSWORDS>".
inline constexpr int kGetPasswords = 1411;
inline constexpr int kSetPasswords = 1412;
// The twelve On/Off lists, Level 1 .. Diag: kFirstOnOff + level - 1.
inline constexpr int kFirstOnOff = 1386;
// The thirteen password fields: System, then Level 1 .. Diag.
inline constexpr int kSystemPassword = 1398;
inline constexpr int kFirstLevelPassword = 1399;

// "<ALERTS>".
inline constexpr int kGetActiveAlerts = 1414;
inline constexpr int kAcknowledgeAlerts = 1415;
// Per alert row, in the order of the page; the ids are not consecutive.
inline constexpr int kAckLists[13] = {1416, 1417, 1419, 1420, 1421, 1422, 1423,
                                      1424, 1425, 1442, 1443, 1446, 1418};
inline constexpr int kStatusFields[13] = {1429, 1430, 1431, 1432, 1433, 1434, 1435,
                                          1436, 1437, 1438, 1444, 1445, 1447};
inline constexpr int kDateFields[13] = {1449, 1450, 1451, 1452, 1453, 1454, 1455,
                                        1456, 1457, 1458, 1462, 1463, 1464};
inline constexpr int kTimeFields[13] = {1465, 1466, 1467, 1468, 1469, 1470, 1471,
                                        1472, 1473, 1474, 1478, 1479, 1480};

}  // namespace ids::diag
