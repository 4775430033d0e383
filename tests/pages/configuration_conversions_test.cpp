// The page's text conversions on their own: numbers typed into edits, memo texts, and showing a
// register value in a list by prefix.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "pages/kit/fields.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/number_text.h"
#include "pages/settings/configuration_fields.h"
#include "pages/settings/diag_fields.h"
#include "pages/settings/memo_text.h"
#include "resources/ids/configuration.h"

namespace {

// Typing back the text a scaled field shows gives the value it was shown from, for every value
// a register holds (in double precision 4,586 hundredths did not come back).
TEST(TypedNumbers, EveryShownScaledTextTypedBackGivesItsValue) {
    for (const Conversion& c : {kTenthsText, kThousandthsText, kDiagHundredthsText, kIntegerText}) {
        int lost = 0;
        for (int32_t v = 0; v <= 0xFFFF; ++v) {
            int32_t slot = v;
            lost += c.take(c.show(&slot)) != v ? 1 : 0;
        }
        EXPECT_EQ(lost, 0) << c.show(std::array<int32_t, 1>{12345}.data());
    }
}

TEST(TypedNumbers, LeadingIntegerTakesTheDigitsBeforeAnythingElse) {
    EXPECT_EQ(LeadingInteger("7200"), 7200);
    EXPECT_EQ(LeadingInteger("  42abc"), 42);
    EXPECT_EQ(LeadingInteger("-15"), -15);
    EXPECT_EQ(LeadingInteger("+8"), 8);
    EXPECT_EQ(LeadingInteger("12.9"), 12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("-"), 0);
    // Far too many digits saturate instead of wrapping into a small or negative number.
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(LeadingInteger("-99999999999999999999999"), INT32_MIN);
}

TEST(TypedNumbers, ScaledNumbersAreExactInDecimalAndTruncated) {
    EXPECT_EQ(ScaledLeadingNumber("0.05", 3), 50);
    EXPECT_EQ(ScaledLeadingNumber("0.25", 3), 250);
    EXPECT_EQ(ScaledLeadingNumber("3.5", 1), 35);
    EXPECT_EQ(ScaledLeadingNumber("1.59", 1), 15);   // truncated, not rounded
    EXPECT_EQ(ScaledLeadingNumber("4.35", 2), 435);  // binary floating point gives 434
    EXPECT_EQ(ScaledLeadingNumber("0.057", 3), 57);
    EXPECT_EQ(ScaledLeadingNumber(".5", 1), 5);
    EXPECT_EQ(ScaledLeadingNumber("2", 3), 2000);
    EXPECT_EQ(ScaledLeadingNumber("-1.25", 1), -12);  // toward zero
    EXPECT_EQ(ScaledLeadingNumber("x1", 1), 0);
    EXPECT_EQ(ScaledLeadingNumber("1e400", 3), 1000);  // no exponent: only the leading 1
    EXPECT_EQ(ScaledLeadingNumber("123456789012345678901234567890", 3), INT32_MAX);
}

TEST(TypedNumbers, ScaledTextsKeepEveryDigitTheRegisterHolds) {
    EXPECT_EQ(ScaledText(250, 3, 1), "0.25");
    EXPECT_EQ(ScaledText(5000, 3, 1), "5.0");
    EXPECT_EQ(ScaledText(1234, 3, 1), "1.234");
    EXPECT_EQ(ScaledText(5, 1, 1), "0.5");
    EXPECT_EQ(ScaledText(20, 1, 1), "2.0");
    EXPECT_EQ(ScaledText(30805, 4, 4), "3.0805");
    EXPECT_EQ(ScaledText(-15, 1, 1), "-1.5");
    EXPECT_EQ(ScaledText(7, 0, 0), "7");
}

const NumericField& Field(int id) {
    for (const NumericField& f : kAdvancedConfigurationFields) {
        if (f.id == id) {
            return f;
        }
    }
    throw std::logic_error("no such field");
}

std::string TextOf(const NumericField& field, int32_t value) {
    field.reg.Slot() = value;
    return FieldText(field);
}

TEST(TypedNumbers, AdvancedFieldsStayWithinASixteenBitRegister) {
    const NumericField& shift = Field(ids::config::kCurrentShift);
    EXPECT_EQ(FieldValue(shift, "30"), 30);
    EXPECT_EQ(FieldValue(shift, "-5"), -5);  // a signed shift goes out as FF FB
    EXPECT_EQ(FieldValue(shift, "-40000"), -32768);
    EXPECT_EQ(FieldValue(shift, "70000"), 65535);  // not 4464, its low 16 bits
    EXPECT_EQ(FieldValue(shift, "junk"), 0);
    const NumericField& demand = Field(ids::config::kDemandTime);
    EXPECT_EQ(FieldValue(demand, "15"), 150);
    EXPECT_EQ(TextOf(demand, 155), "15");
    EXPECT_EQ(FieldValue(demand, "9999"), 65530);
    EXPECT_EQ(TextOf(demand, FieldValue(demand, "9999")), "6553");
}

TEST(MemoTexts, FilterKeepsTheLengthAndTheAllowedCharacters) {
    EXPECT_EQ(FilterMemoText("ab%c"), "AB C");
    EXPECT_EQ(FilterMemoText("feeder 4a#"), "FEEDER 4A#");
    EXPECT_EQ(FilterMemoText("&,-./09AZ"), "&,-./09AZ");
    EXPECT_EQ(FilterMemoText("hello world!"), "HELLO WORL");
    EXPECT_EQ(FilterMemoText(""), "");
    // One space for each character, however many bytes it takes.
    EXPECT_EQ(FilterMemoText("caf\xC3\xA9"), "CAF ");
    EXPECT_EQ(FilterMemoText(std::string("a\0b", 3)), "A B");
    EXPECT_EQ(FirstCharacters("\xC3\xA9\xC3\xA9x", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(FirstCharacters("\xC3", 5), "\xC3");  // a broken character is kept whole
}

TEST(MemoTexts, PackingStopsAtTheEndOfTheText) {
    std::array<int32_t, kMemoRegisters> regs;
    regs.fill(-1);
    PackMemo("ABC", regs.data());
    EXPECT_EQ(regs, (std::array<int32_t, 5>{'A' << 8 | 'B', 'C' << 8, 0, 0, 0}));
    PackMemo("", regs.data());
    EXPECT_EQ(regs, (std::array<int32_t, 5>{0, 0, 0, 0, 0}));
    PackMemo("0123456789", regs.data());
    EXPECT_EQ(regs[4], '8' << 8 | '9');
}

TEST(MemoTexts, ShownUpToTheFirstZeroCharacter) {
    const std::array<int32_t, 5> abc = {'A' << 8 | 'B', 'C' << 8, 'D' << 8 | 'E', 0, 0};
    EXPECT_EQ(MemoFromRegisters(abc.data()), "ABC");
    const std::array<int32_t, 5> full = {0x3031, 0x3233, 0x3435, 0x3637, 0x3839};
    EXPECT_EQ(MemoFromRegisters(full.data()), "0123456789");
    // The 32-bit slots' upper bits are not characters; a code above 127 stays one character.
    const std::array<int32_t, 5> odd = {0x10000 | 'A' << 8 | 0xE9, 0, 0, 0, 0};
    EXPECT_EQ(MemoFromRegisters(odd.data()), "A\xC3\xA9");
}

TEST(ListValues, ShownByPrefixFromTheSecondItemWrappingAround) {
    ControlState threshold;
    for (int n = 0; n <= 10; ++n) {
        threshold.items.push_back(std::to_string(n));
    }
    ASSERT_TRUE(ShowListValue(threshold, threshold.items, 1));
    EXPECT_EQ(threshold.SelectedText(), "1");  // the second item, not "10"
    ASSERT_TRUE(ShowListValue(threshold, threshold.items, 0));
    EXPECT_EQ(threshold.SelectedText(), "0");  // found after wrapping around
    ASSERT_TRUE(ShowListValue(threshold, threshold.items, 7));
    EXPECT_EQ(threshold.SelectedText(), "7");

    ControlState meter;
    meter.items = {"SEC", "PRI"};
    ASSERT_TRUE(SelectByPrefix(meter, "pri"));  // case does not matter
    EXPECT_EQ(meter.SelectedText(), "PRI");
    // The main window's lists search from their first item, the pages' from their second.
    ControlState baud;
    baud.items = {"1200", "19200", "12"};
    ASSERT_TRUE(SelectByPrefix(baud, "12"));
    EXPECT_EQ(baud.selected, 0);
    ASSERT_TRUE(SelectByPrefix(baud, "12", 0));
    EXPECT_EQ(baud.selected, 2);
    ASSERT_TRUE(SelectByPrefix(baud, "192", 1));  // wraps around past the last item
    EXPECT_EQ(baud.selected, 1);
    EXPECT_FALSE(SelectByPrefix(meter, "X"));
    EXPECT_EQ(meter.SelectedText(), "PRI");  // a failed search changes nothing
    EXPECT_FALSE(ShowListValue(meter, {"PRI", "SEC"}, 2));
    EXPECT_EQ(meter.selected, -1);  // a value outside the list selects nothing
    ASSERT_TRUE(ShowListValue(meter, {"PRI", "SEC"}, 0));
    EXPECT_FALSE(ShowListValue(meter, {"PRI", "SEC"}, -1));
    EXPECT_EQ(meter.selected, -1);
    EXPECT_EQ(ListPosition({"PRI", "SEC"}, "SEC"), 1);
    EXPECT_EQ(ListPosition({"PRI", "SEC"}, "sec"), -1);  // a pick is compared exactly
    // A value whose text is "" has no item: it selects nothing, even though every item
    // begins with the empty text.
    EXPECT_FALSE(ShowListValue(meter, {"", "PRI"}, 0));
    EXPECT_EQ(ListPosition({"", "PRI"}, ""), -1);
}

}  // namespace
