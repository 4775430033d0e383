#pragma once
// Control ids of the Logs and Quick Key page (template 107). Its form names each widget
// "id<number>_<what>".

namespace ids::logs {

inline constexpr int kTemplate = 107;
inline constexpr char kFormFile[] = "logs_quick_key_page.ui";

// "<LOG SETUP>": one ON/OFF list per bit of the log-setup word 11/1.
inline constexpr int kLogEvent = 1302;         // bit 0
inline constexpr int kEventTap = 1304;         // bit 1
inline constexpr int kEventVlc = 1307;         // bit 2
inline constexpr int kEventVrc = 1308;         // bit 3
inline constexpr int kEventNeutral = 1303;     // bit 4
inline constexpr int kEventNnRaise = 1305;     // bit 5
inline constexpr int kEventNnLower = 1306;     // bit 6
inline constexpr int kEventAlert = 1312;       // bit 7
inline constexpr int kEventConfig = 1311;      // bit 8
inline constexpr int kEventPowerFlow = 1309;   // bit 9
inline constexpr int kEventPowerCycle = 1310;  // bit 10
inline constexpr int kLogInterval = 1315;      // bit 12
inline constexpr int kResetLogMinMax = 1316;   // bit 13
inline constexpr int kLogMinMax = 1317;        // 10/216, "Inst" or "Dmd"
inline constexpr int kIntervalHours = 1318;
inline constexpr int kIntervalMinutes = 1319;
inline constexpr int kGetLogSetup = 1320;
inline constexpr int kSetLogSetup = 1322;

// "<LOGS>".
inline constexpr int kAutoAdjustLogTime = 1313;
inline constexpr int kClearChoice = 1314;
inline constexpr int kEventsAvailable = 1323;
inline constexpr int kIntervalsAvailable = 1324;
inline constexpr int kEventsToDownload = 1331;
inline constexpr int kIntervalsToDownload = 1332;
inline constexpr int kRefresh = 1325;
inline constexpr int kDownloadLogs = 1326;
inline constexpr int kClearLogs = 1327;

// "Quick Key Config": item k (1..15) is kQuickMenuItem1 + k - 1.
inline constexpr int kQuickMenuItem1 = 1490;
inline constexpr int kQuickMenuItemCount = 15;
inline constexpr int kQuickDisplayTime = 1505;
inline constexpr int kQuickTimeout = 1506;
inline constexpr int kGetQuickMenu = 1420;
inline constexpr int kSetQuickMenu = 1421;
inline constexpr int kSaveQuickMenu = 1422;  // hidden, no action
inline constexpr int kClearQuickMenu = 1423;
inline constexpr int kDefaultQuickMenu = 1006;  // hidden "Korvant QC Set"

}  // namespace ids::logs
