#pragma once
// The box every panel action shows while the tool is not connected (OK button only).
inline constexpr char kNotConnectedCaption[] = "NOT CONNECTED";
inline constexpr char kNotConnectedText[] = "PLEASE CHECK CONNECTION";
