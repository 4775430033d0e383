#pragma once
// The About box's texts and the documents its buttons open.
#include <string>

inline constexpr char kAboutTitle[] = "About VoltScope 5.0";
inline constexpr char kAboutVersionText[] = "VoltScope Version 5.03 Rev8";
inline constexpr char kUserGuideFile[] = "VoltScope5_UG.pdf";
inline constexpr char kVersionInfoFile[] = "Ver_Info.txt";
inline constexpr char kUpdatesUrl[] = "https://voltscope.example.org/updates";

// The running program's path with its file name replaced by `document`.
std::string DocumentBesideProgram(const std::string& programPath, const std::string& document);
