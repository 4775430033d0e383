#pragma once
// Control ids of the "Metering and Counters" page (template 104). Its form names each widget
// "id<number>_<what>".

namespace ids::metering {

inline constexpr int kTemplate = 104;
inline constexpr char kFormFile[] = "metering_page.ui";

// "Common Controls".
inline constexpr int kRefreshEvery = 1424;  // editable list of seconds
inline constexpr int kAutoRefresh = 1110;   // check box
inline constexpr int kDownloadMetering = 1006;
inline constexpr int kDownloadHarmonics = 1007;
inline constexpr int kResetMinMax = 1304;

// "<METER>": present values, then the Min and Max of the nine measured quantities.
inline constexpr int kRefreshMeter = 1108;
inline constexpr int kVld = 1500;
inline constexpr int kVs = 1501;
inline constexpr int kVcomp = 1502;
inline constexpr int kIld = 1503;
inline constexpr int kPf = 1504;
inline constexpr int kKva = 1505;
inline constexpr int kKw = 1506;
inline constexpr int kKvar = 1507;
inline constexpr int kFreq = 1508;
inline constexpr int kKwhFwd = 1509;
inline constexpr int kKvarhFwdLead = 1510;
inline constexpr int kKvarhFwdLag = 1511;
inline constexpr int kKwhRev = 1512;
inline constexpr int kKvarhRevLead = 1513;
inline constexpr int kKvarhRevLag = 1514;
inline constexpr int kVldMin = 1520;
inline constexpr int kVsMin = 1521;
inline constexpr int kVcompMin = 1522;
inline constexpr int kIldMin = 1523;
inline constexpr int kPfMin = 1524;
inline constexpr int kKvaMin = 1525;
inline constexpr int kKwMin = 1526;
inline constexpr int kKvarMin = 1527;
inline constexpr int kFreqMin = 1528;
inline constexpr int kVldMax = 1530;
inline constexpr int kVsMax = 1531;
inline constexpr int kVcompMax = 1532;
inline constexpr int kIldMax = 1533;
inline constexpr int kPfMax = 1534;
inline constexpr int kKvaMax = 1535;
inline constexpr int kKwMax = 1536;
inline constexpr int kKvarMax = 1537;
inline constexpr int kFreqMax = 1538;

// "<FORWARD/REVERSE DEMAND>": nine rows a direction, each with its Min and Max (the two power
// factor rows keep theirs empty).
inline constexpr int kRefreshDemand = 1123;
inline constexpr int kFwdIld = 1540;
inline constexpr int kFwdKva = 1541;
inline constexpr int kFwdKvar = 1542;
inline constexpr int kFwdKw = 1543;
inline constexpr int kFwdVld = 1544;
inline constexpr int kFwdVcomp = 1545;
inline constexpr int kFwdVs = 1546;
inline constexpr int kFwdPfKvaMax = 1547;
inline constexpr int kFwdPfKvaMin = 1548;
inline constexpr int kFwdIldMin = 1550;
inline constexpr int kFwdKvaMin = 1551;
inline constexpr int kFwdKvarMin = 1552;
inline constexpr int kFwdKwMin = 1553;
inline constexpr int kFwdVldMin = 1554;
inline constexpr int kFwdVcompMin = 1555;
inline constexpr int kFwdVsMin = 1556;
inline constexpr int kFwdPfKvaMaxMin = 1557;
inline constexpr int kFwdPfKvaMinMin = 1558;
inline constexpr int kFwdIldMax = 1560;
inline constexpr int kFwdKvaMax = 1561;
inline constexpr int kFwdKvarMax = 1562;
inline constexpr int kFwdKwMax = 1563;
inline constexpr int kFwdVldMax = 1564;
inline constexpr int kFwdVcompMax = 1565;
inline constexpr int kFwdVsMax = 1566;
inline constexpr int kFwdPfKvaMaxMax = 1567;
inline constexpr int kFwdPfKvaMinMax = 1568;
inline constexpr int kRevIld = 1570;
inline constexpr int kRevKva = 1571;
inline constexpr int kRevKvar = 1572;
inline constexpr int kRevKw = 1573;
inline constexpr int kRevVld = 1574;
inline constexpr int kRevVcomp = 1575;
inline constexpr int kRevVs = 1576;
inline constexpr int kRevPfKvaMax = 1577;
inline constexpr int kRevPfKvaMin = 1578;
inline constexpr int kRevIldMin = 1580;
inline constexpr int kRevKvaMin = 1581;
inline constexpr int kRevKvarMin = 1582;
inline constexpr int kRevKwMin = 1583;
inline constexpr int kRevVldMin = 1584;
inline constexpr int kRevVcompMin = 1585;
inline constexpr int kRevVsMin = 1586;
inline constexpr int kRevPfKvaMaxMin = 1587;
inline constexpr int kRevPfKvaMinMin = 1588;
inline constexpr int kRevIldMax = 1590;
inline constexpr int kRevKvaMax = 1591;
inline constexpr int kRevKvarMax = 1592;
inline constexpr int kRevKwMax = 1593;
inline constexpr int kRevVldMax = 1594;
inline constexpr int kRevVcompMax = 1595;
inline constexpr int kRevVsMax = 1596;
inline constexpr int kRevPfKvaMaxMax = 1597;
inline constexpr int kRevPfKvaMinMax = 1598;

// "<COUNTERS>". "Total Ops:" is the only field the user may type in.
inline constexpr int kTotalOps = 1201;
inline constexpr int kResetDate = 1202;
inline constexpr int kResetTime = 1203;
inline constexpr int kElapsedOps = 1204;
inline constexpr int kOps24Hr = 1205;
inline constexpr int kOps30Day = 1206;
inline constexpr int kOpsMtd = 1207;
inline constexpr int kOpsLastMonth = 1208;
inline constexpr int kOpsYtd = 1209;
inline constexpr int kOpsLastYear = 1210;
inline constexpr int kTapPosition = 1211;
inline constexpr int kTapMax = 1212;
inline constexpr int kTapMin = 1213;
inline constexpr int kSetTotalOps = 1303;
inline constexpr int kRefreshCounters = 1302;

}  // namespace ids::metering
