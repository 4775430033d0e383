#pragma once
// The thirteen panel alerts: where each keeps its 2-bit state (bit 0 active, bit 1
// acknowledged) in the two alert status words 10/80..81, the registers of the time and date it
// was raised, and how a state is shown.
#include <cstdint>

#include "pages/kit/form_model.h"

inline constexpr int kAlertCount = 13;
inline constexpr uint8_t kAlertBank = 10;
inline constexpr uint8_t kAlertStatusRegister = 80;  // 80 and 81
inline constexpr int kAlertStatusWords = 2;

struct PanelAlert {
    int word;              // 0: 10/80, 1: 10/81
    int shift;             // the state's lowest bit in its word
    uint8_t timeRegister;  // bank 10; the date register follows

    int32_t AcknowledgeBit() const { return int32_t{2} << shift; }
    int State(const int32_t (&words)[kAlertStatusWords]) const {
        return (words[word] >> shift) & 3;
    }
};

// In the order of the page: Low Current, Auto Inhibit, Tap Track Err, Low PT Threshold, High
// Current, NV RAM Reset, Low Battery, High Voltage, Not in Auto, Raise Limit, Lower Limit, Self
// Test, Pseudo Manual. Bits 6..9 of 10/80 and 14..15 of 10/81 belong to no alert here.
inline constexpr PanelAlert kPanelAlerts[kAlertCount] = {
    {0, 0, 85},  {0, 2, 87},  {0, 4, 89},  {0, 10, 95}, {0, 12, 97},  {0, 14, 99},  {1, 0, 101},
    {1, 2, 103}, {1, 4, 105}, {1, 6, 107}, {1, 8, 109}, {1, 10, 111}, {1, 12, 113},
};

struct AlertStateLook {
    const char* text;
    Rgb background;
    bool showsWhen;  // the time and date it was raised
};

inline constexpr AlertStateLook kAlertStateLooks[4] = {
    {"Inactive", {217, 217, 217}, false},
    {"ACTIVE", {255, 0, 0}, true},
    {"ACK", {0, 0, 255}, true},
    {"ACT & ACK", {255, 0, 0}, true},
};

// Texts of the "ACK:" lists.
inline constexpr char kAcknowledgeText[] = "ACK";
inline constexpr char kNoAcknowledgeText[] = "-";
