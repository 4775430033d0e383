#include "pages/settings/regulator_comm_fields.h"

#include <algorithm>

#include "pages/kit/list_selection.h"
#include "pages/kit/number_text.h"

namespace regulator_conversions {

std::string ShowCompensation(int32_t* slots) {
    // The panel's word as a signed number; the store keeps that form from now on.
    slots[0] = static_cast<int16_t>(static_cast<uint16_t>(slots[0] & 0xFFFF));
    return std::to_string(slots[0] / 10);
}

int64_t TakeCompensation(const std::string& text) {
    const int64_t tenths = std::clamp<int64_t>(int64_t{LeadingInteger(text)} * 10, -32768, 32767);
    return tenths & 0xFFFF;
}

int64_t TakeDelay(const std::string& text) {
    return LeadingInteger(text) & 0xFF;
}

std::string ShowVrcStatus(int32_t* slots) {
    return slots[0] == 0 ? "----" : ScaledText(slots[1], 1, 1);
}

std::string ShowCmVersion(int32_t* slots) {
    const int32_t v = slots[0];
    if (v < 400) {
        return ScaledText(v, 2, 2);
    }
    return v < 40000 ? ScaledText(v, 4, 4) : std::string{};
}

}  // namespace regulator_conversions

namespace {

namespace text = regulator_text;
using namespace ids::regulator;

const Texts kNoYes = {"N", "Y"};

// The value of "DNPcfg", the first set that can be chosen.
constexpr int32_t kFirstSupportedDnpSet = 8;

// "set8" .. "set15" are listed but not supported: the pick is refused with a box and "DNPcfg"
// is stored; the list keeps showing the pick until the next Get.
void PickDnpSet(const ListField& field, const std::string& picked, UserPrompts& prompts) {
    const int position = ListPosition(field.ValueTexts(), picked);
    if (position >= 0 && position < kFirstSupportedDnpSet) {
        ShowOk(prompts, text::kDnpSetNotSupported, text::kDnpSetCaption, PromptIcon::kStop);
        field.reg.Slot() = kFirstSupportedDnpSet;
        return;
    }
    StorePick(field, picked);
}

}  // namespace

std::span<const ListField> RegulatorLists() {
    static const std::vector<ListField> lists = {
        {.id = kVrc1Input, .reg = {10, 154}, .items = {"VRC", "X-COMP"}},
        {.id = kVrc2Input, .reg = {10, 155}, .items = {"VRC", "ALTDELAY", "LO XBATT", "AUTO INH"}},
        {.id = kVrcMode, .reg = {2, 29}, .items = {"OFF", "LOCAL", "REMOTE", "AUT/REM"}},
        {.id = kVrcRemote, .reg = {10, 14}, .items = {"KZ3A", "KZ-X"}, .values = {"KZ-X", "KZ3A"}},
        // The value 1 has no item.
        {.id = kVlcEnable, .reg = {2, 26}, .items = {"OFF", "ON"}, .values = {"OFF", "", "ON"}},
    };
    return lists;
}

std::span<const ListField> CommunicationLists() {
    // Protocol, baud and parity count from 1: the value 0 has no item.
    static const std::vector<ListField> lists = {
        {.id = kProtocol,
         .reg = {10, 127},
         .items = {"DNP3.0", "2200", "2200NOA", "KZ3A A", "KZ3A B1", "KZ3A B2", "2179", "2179KZX",
                   "2179 5A", "Special"},
         .values = {"", "DNP3.0", "2200", "2200NOA", "KZ3A A", "KZ3A B1", "KZ3A B2", "2179",
                    "2179KZX", "2179 5A", "Special"}},
        {.id = kCommBaud,
         .reg = {2, 44},
         .items = {"300", "1200", "2400", "4800", "9600", "19200"},
         .values = {"", "300", "1200", "2400", "4800", "9600", "19200"}},
        {.id = kCommParity,
         .reg = {10, 128},
         .items = {"NONE", "EVEN", "ODD"},
         .values = {"", "NONE", "EVEN", "ODD"}},
        {.id = kDnpConfirm, .reg = {10, 152}, .items = kNoYes},
        {.id = kCmRepeatEnable, .reg = {10, 157}, .items = kNoYes},
        {.id = kAutoInhibitRemote, .reg = {10, 159}, .items = kNoYes},
        {.id = kDnpSet,
         .reg = {10, 201},
         .items = {"set8", "set9", "set10", "set11", "set12", "set13", "set14", "set15", "DNPcfg",
                   "2.x4", "2.x3", "small2.x3", "Simple", "Metering", "Active", "set7"},
         .onPick = PickDnpSet},
    };
    return lists;
}
