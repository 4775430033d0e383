#pragma once
// Control ids of the main window (template 102) and its menu commands.

namespace ids::window {

inline constexpr int kTemplate = 102;

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
// The status line at the window's foot: what the last panel action got from the panel.
inline constexpr int kStatusLine = 3000;

}  // namespace ids::window

namespace ids::menu {

inline constexpr int kSaveConfig = 32772;
inline constexpr int kOpenConfig = 32773;
inline constexpr int kCloseTabs = 32774;
inline constexpr int kExit = 32775;
inline constexpr int kAbout = 32777;
inline constexpr int kCreateReport = 32779;
// File -> "Compare With Config File…".
inline constexpr int kCompareWithConfig = 32780;
// Help -> Frame Log: every frame on the line, for looking into a panel that answers oddly.
inline constexpr int kFrameLog = 32790;

}  // namespace ids::menu
