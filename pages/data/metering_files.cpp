#include "pages/data/metering_files.h"

#include <cstdio>

#include "pages/data/metering_fields.h"
#include "protocol/packed_time.h"
#include "protocol/value_store.h"

namespace {

using namespace metering;

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int32_t Slot(const Reg& reg) {
    return reg.Slot();
}

std::string Counter(const Reg& low) {
    return std::to_string(DoubleWord(low.Slots()));
}

std::string TapControlText(int32_t slot) {
    const uint16_t mode = Word(slot);
    return mode < std::size(kTapControlModes) ? kTapControlModes[mode] : "";
}

}  // namespace

std::string MeteringFileText(const std::string& fullPath, int recordsDateOrder,
                             int resetDateOrder) {
    std::string text = "MIN MAX Metering Info with Time Stamps,\n" + fullPath + "\n";
    text += "Data Type,Value,Date,Time\n";
    for (int i = 0; i < kMinMaxRecords; ++i) {
        const unsigned reg = kFirstMinMaxRegister + 3u * static_cast<unsigned>(i);
        const MinMaxRecord& record = kMinMaxRecordNames[i];
        text +=
            std::string(record.name) + "," +
            Format("%.2f", static_cast<double>(SignedWord(StoreSlot(8, reg))) / record.divisor) +
            "," + PackedValueText(StoreSlot(8, reg + 1), kPackedDate, recordsDateOrder) + "," +
            PackedValueText(StoreSlot(8, reg + 2), kPackedTime, 0) + "\n";
    }
    // From here every item starts with its line feed, and the last one has none after it.
    const auto item = [&text](const char* label, const std::string& value) {
        text += std::string("\n") + label + "," + value;
    };
    const auto word = [](uint8_t reg) { return std::to_string(Word(StoreSlot(9, reg))); };
    text += "\n<COUNTERS>";
    item("Total Ops:", Counter(kTotalOpsLow));
    item("Reset Date:", PackedValueText(Slot(kResetDateReg), kPackedDate, resetDateOrder));
    item("Reset Time:", PackedValueText(Slot(kResetTimeReg), kPackedTime, 0));
    item("Elapsed Ops:", Counter({9, 5}));
    item("24 Hr Ops:", word(9));
    item("30 Day Ops:", word(12));
    item("MTD Ops:", word(15));
    item("Last Month Ops:", word(18));
    item("YTD Ops:", Counter({9, 19}));
    item("Last Year Ops:", Counter({9, 23}));
    item("Tap Control:", TapControlText(Slot(kTapControlReg)));
    item("Tap position:", std::to_string(SignedWord(Slot(kTapPositionReg))));
    return text;
}

std::string HarmonicsFileText(const std::string& fullPath) {
    std::string text = "\nHarmonics Data, " + fullPath + "\n";
    text += "Data Type,Vload,VSource,Iload\n";
    const auto value = [](const HarmonicsArray& array, int k) {
        return Format("%.1f", HarmonicsWord(array, k) * 0.1);
    };
    for (int k = 0; k < kHarmonicsValues; ++k) {
        text += HarmonicsNames()[static_cast<std::size_t>(k)] + "," +
                value(kLoadVoltsHarmonics, k) + "," + value(kSourceVoltsHarmonics, k) + "," +
                value(kLoadCurrentHarmonics, k) + "\n";
    }
    return text;
}
