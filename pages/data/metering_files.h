#pragma once
// The two CSV files of the "Metering and Counters" page, made from the value store: the min/max
// records with their time stamps plus the counters, and the harmonic spectra. The texts have LF
// line ends; the file writer stores them as CR LF.
#include <string>

// `fullPath` is the file's own full path, which the file names in its first lines. The record
// dates are shown in `recordsDateOrder`, the counters' reset date in `resetDateOrder` (the panel's
// date order, each as read just before).
std::string MeteringFileText(const std::string& fullPath, int recordsDateOrder, int resetDateOrder);
std::string HarmonicsFileText(const std::string& fullPath);
