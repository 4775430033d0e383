#pragma once
// A page's controls as data: each drop-down list with its register and value texts, and each
// numeric edit with its register, conversion and accepted range. A page keeps one table per
// group of controls and runs the loops below over it; a control with a rule of its own carries
// that rule in its table entry.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "pages/kit/form_model.h"
#include "pages/kit/user_prompts.h"
#include "protocol/register_block.h"

// One register of the value store.
struct Reg {
    uint8_t bank = 0;
    uint8_t reg = 0;
    int32_t& Slot() const;
    // This register and the ones after it, for values that span several registers.
    int32_t* Slots() const;
    bool operator==(const Reg&) const = default;
};

// --- lists ----------------------------------------------------------------------------------

using Texts = std::vector<std::string>;
// "0" .. "<last>", as several lists hold them.
Texts NumberTexts(int last);

// How a pick in a list reaches its register.
enum class ListRule {
    kPosition,  // the position of the picked text among the value texts
    kNumber,    // the number of the text, limited to the value texts' range
    kBit,       // one bit: the text of value 0 clears it, any other text sets it
};

struct ListField;
// A pick that does more than store its value: it asks, tells, or keeps the value elsewhere.
// It replaces StorePick; it may call StorePick itself.
using PickRule =
    std::function<void(const ListField& field, const std::string& text, UserPrompts& prompts)>;

struct ListField {
    int id = 0;
    Reg reg;
    std::vector<std::string> items;  // in the box, top to bottom
    // The text of each register value, "" for a value that has no item. Left empty when every
    // value is its item's position.
    std::vector<std::string> values;
    ListRule rule = ListRule::kPosition;
    int bit = 0;  // kBit only
    PickRule onPick;

    const std::vector<std::string>& ValueTexts() const { return values.empty() ? items : values; }
};

const ListField* FindList(std::span<const ListField> lists, int id);

// The value a list shows: its register, or the register's bit.
int32_t ListValue(const ListField& field);
// Selects the item that begins with the value's text (the select-string rule, from the second
// item); a value without a text selects nothing. The form remembers the register's value.
void ShowList(FormModel& form, const ListField& field);
void ShowLists(FormModel& form, std::span<const ListField> lists);
// Stores the picked `text` by the field's rule; a text that is no value's text changes nothing.
void StorePick(const ListField& field, const std::string& text);
// The user picked in list `id` (the form holds the pick): runs the field's rule on the value the
// form shows, so that a read of the register since then cannot stand in for it. False when
// `id` is none of `lists`.
bool OnListPicked(FormModel& form, std::span<const ListField> lists, int id, UserPrompts& prompts);
// Before a Set: each shown list's register gets the value the list shows (picks included),
// whatever was read into the store since.
void StoreLists(FormModel& form, std::span<const ListField> lists);

// --- numeric edits --------------------------------------------------------------------------

// How an edit's text and its register convert into each other.
struct Conversion {
    // The text for the register (and the ones after it, for a value spanning several). May
    // normalise the slots it shows.
    std::string (*show)(int32_t* slots) = nullptr;
    // The typed text as a number for the register, before any range check; nullptr for a
    // display-only field.
    int64_t (*take)(const std::string& text) = nullptr;
};

namespace conversions {
std::string ShowInteger(int32_t* slots);
int64_t TakeInteger(const std::string& text);
std::string ShowTenths(int32_t* slots);
int64_t TakeTenths(const std::string& text);
std::string ShowThousandths(int32_t* slots);
int64_t TakeThousandths(const std::string& text);
std::string ShowTimesTen(int32_t* slots);
int64_t TakeTimesTen(const std::string& text);
}  // namespace conversions

// "%d".
inline constexpr Conversion kIntegerText{conversions::ShowInteger, conversions::TakeInteger};
// Tenths shown with one decimal, sent as the typed number x 10 (worked out on the decimal
// digits, so truncated toward zero exactly).
inline constexpr Conversion kTenthsText{conversions::ShowTenths, conversions::TakeTenths};
// Thousandths shown with at least one decimal and every thousandth held, sent x 1000.
inline constexpr Conversion kThousandthsText{conversions::ShowThousandths,
                                             conversions::TakeThousandths};
// Shown as the value div 10, sent as the typed integer x 10.
inline constexpr Conversion kTimesTenText{conversions::ShowTimesTen, conversions::TakeTimesTen};

// Values outside low..high are replaced by `replacement`, silently.
struct Range {
    int32_t low = 0;
    int32_t high = 0;
    int32_t replacement = 0;
};

struct NumericField {
    int id = 0;
    Reg reg;
    Conversion conversion = kIntegerText;
    // Without a range the value is kept within what one register carries (-32768..65535).
    std::optional<Range> range;
};

std::string FieldText(const NumericField& field);
// The store value for a typed text, range replacement included.
int32_t FieldValue(const NumericField& field, const std::string& text);

// Store -> edit texts. The form remembers each text and the register values it came from.
void ShowFields(FormModel& form, std::span<const NumericField> fields);
// Edit texts -> store, in table order (display-only fields are skipped). An edit whose text is
// still the one shown puts back the values it was shown from, so a value nobody edited goes
// back exactly as it came; an edited text is converted.
void StoreFields(FormModel& form, std::span<const NumericField> fields);

// --- edits the pages fill themselves ------------------------------------------------------------

// The form remembers the values of `count` registers from `first` as the store holds them now.
void RememberShown(FormModel& form, Reg first, int count = 1);
// Edit `id` was just filled with its present text from `count` registers from `first`.
void RememberShownEdit(FormModel& form, int id, Reg first, int count = 1);
// True when edit `id` still shows the text it was filled with: the registers from `first` get
// back the values the form remembers of them (and whether they were held), and the caller
// converts nothing. False for an edited or never-filled edit.
bool RestoreUnedited(FormModel& form, int id, Reg first, int count = 1);
// After a page converted an edit's text into `count` registers from `first`: they hold the
// user's values, unless the edit was never filled and is still empty.
void MarkStoredEdit(FormModel& form, int id, Reg first, int count = 1);

// A page's constructor makes its controls: each list with its items, each field and any other
// control by id, so that the form holds every control before anything is shown.
void AddLists(FormModel& form, std::initializer_list<std::span<const ListField>> lists);
void AddFields(FormModel& form, std::initializer_list<std::span<const NumericField>> fields);
void AddControls(FormModel& form, std::span<const int> ids);

// --- groups ---------------------------------------------------------------------------------

// A group of controls and the registers its Get reads and its Set writes. Every register a
// field shows must be read by the group, and every register it stores must be written.
struct FieldGroup {
    std::string name;
    std::span<const NumericField> numbers;
    std::span<const ListField> lists;
    std::vector<RegisterBlock> reads;
    std::vector<RegisterBlock> writes;
};

// The first n blocks of a table, as a group's reads or writes.
std::vector<RegisterBlock> Blocks(const RegisterBlock* table, int n);
