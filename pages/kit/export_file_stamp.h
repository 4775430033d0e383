#pragma once
// The default name proposed for every file the tool saves: the local time in the C library's
// asctime layout (day of the month with a leading zero, 12-hour clock), an AM/PM suffix and the
// file's ending, with every ':', blank and line feed turned into '_'.
// 15:04:09 on Monday 7 December 2026 with "_MTR.csv": "Mon_Dec_07_03_04_09_2026_PM_MTR.csv".
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

std::string ExportFileStamp(const std::tm& localTime, std::string_view ending);

// The local time now, the clock the tool uses outside tests.
std::tm LocalTimeNow();

std::string ExportFileStamp(std::string_view ending,
                            const std::function<std::tm()>& clock = LocalTimeNow);
