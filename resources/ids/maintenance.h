#pragma once
// Control ids of the Maintenance page (template 144). Its form names each widget
// "id<number>_<what>".

namespace ids::maintenance {

inline constexpr int kTemplate = 144;
inline constexpr char kFormFile[] = "maintenance_page.ui";

// Buttons.
inline constexpr int kBackUp = 1006;
inline constexpr int kClearData = 1007;
inline constexpr int kLoadBackUp = 1010;
inline constexpr int kRefresh = 1011;
inline constexpr int kGetSettings = 1421;
inline constexpr int kSetSettings = 1422;
// "<MAINTENANCE> Settings" lists.
inline constexpr int kMaintainRecords = 1334;
inline constexpr int kTapChangerType = 1335;
inline constexpr int kBalanceWinding = 1336;
inline constexpr int kRangeOfRegulation = 1337;
// The clear lists.
inline constexpr int kClearAll = 1358;
inline constexpr int kClearOpCounters = 1359;
// "<MAINTENANCE> Statuses": contacts overall, the moving contact, stationary contacts 0..8.
inline constexpr int kContactsOverall = 1333;
inline constexpr int kMovingContact = 1338;
inline constexpr int kContact0 = 1339;  // .. kContact0 + 8 for contact 8

}  // namespace ids::maintenance
