#include "pages/kit/fields.h"

#include <algorithm>

#include "pages/kit/list_selection.h"
#include "pages/kit/number_text.h"
#include "protocol/value_store.h"

int32_t& Reg::Slot() const {
    return StoreSlot(bank, reg);
}

int32_t* Reg::Slots() const {
    return StoreSlots(bank, reg);
}

namespace {

int Key(const Reg& reg) {
    return reg.bank * kRegistersPerBank + reg.reg;
}

Reg Plus(const Reg& first, int k) {
    return {first.bank, static_cast<uint8_t>(first.reg + k)};
}

// Puts back what the form remembers of `count` registers from `first`; false when it
// remembers none of them.
bool RestoreShown(FormModel& form, const Reg& first, int count) {
    bool any = false;
    for (int k = 0; k < count; ++k) {
        const Reg reg = Plus(first, k);
        const auto shown = form.Shown().find(Key(reg));
        if (shown != form.Shown().end()) {
            reg.Slot() = shown->second.value;
            SetSlotHeld(reg.bank, reg.reg, shown->second.held);
            any = true;
        }
    }
    return any;
}

}  // namespace

// --- lists ----------------------------------------------------------------------------------

Texts NumberTexts(int last) {
    Texts texts;
    for (int n = 0; n <= last; ++n) {
        texts.push_back(std::to_string(n));
    }
    return texts;
}

const ListField* FindList(std::span<const ListField> lists, int id) {
    for (const ListField& field : lists) {
        if (field.id == id) {
            return &field;
        }
    }
    return nullptr;
}

int32_t ListValue(const ListField& field) {
    const int32_t reg = field.reg.Slot();
    return field.rule == ListRule::kBit ? (reg >> field.bit) & 1 : reg;
}

void ShowList(FormModel& form, const ListField& field) {
    ShowListValue(form[field.id], field.ValueTexts(), ListValue(field));
    RememberShown(form, field.reg);
}

void ShowLists(FormModel& form, std::span<const ListField> lists) {
    for (const ListField& field : lists) {
        ShowList(form, field);
    }
}

void StorePick(const ListField& field, const std::string& text) {
    int32_t& reg = field.reg.Slot();
    const std::vector<std::string>& texts = field.ValueTexts();
    switch (field.rule) {
        case ListRule::kNumber: {
            const int last = static_cast<int>(texts.size()) - 1;
            reg = std::clamp(LeadingInteger(text), 0, std::max(last, 0));
            return;
        }
        case ListRule::kBit:
            if (!texts.empty() && text == texts[0]) {
                reg &= ~(1 << field.bit);
            } else {
                reg |= 1 << field.bit;
            }
            return;
        case ListRule::kPosition: {
            const int position = ListPosition(texts, text);
            if (position >= 0) {
                reg = position;
            }
            return;
        }
    }
}

bool OnListPicked(FormModel& form, std::span<const ListField> lists, int id, UserPrompts& prompts) {
    const ListField* field = FindList(lists, id);
    if (field == nullptr) {
        return false;
    }
    const std::string text = form[id].SelectedText();
    const auto shown = form.Shown().find(Key(field->reg));
    int32_t& slot = field->reg.Slot();
    if (shown != form.Shown().end()) {
        slot = shown->second.value;
        SetSlotHeld(field->reg.bank, field->reg.reg, shown->second.held);
    }
    const int32_t before = slot;
    if (field->onPick) {
        field->onPick(*field, text, prompts);
    } else {
        StorePick(*field, text);
    }
    if (field->rule != ListRule::kBit && slot != before) {
        // The whole register is now the user's choice.
        SetSlotHeld(field->reg.bank, field->reg.reg, true);
    }
    if (shown != form.Shown().end()) {
        shown->second = {slot, SlotHeld(field->reg.bank, field->reg.reg)};
    }
    return true;
}

void StoreLists(FormModel& form, std::span<const ListField> lists) {
    for (const ListField& field : lists) {
        RestoreShown(form, field.reg, 1);
    }
}

// --- numeric edits --------------------------------------------------------------------------

namespace conversions {

std::string ShowInteger(int32_t* slots) {
    return std::to_string(slots[0]);
}
int64_t TakeInteger(const std::string& text) {
    return LeadingInteger(text);
}
std::string ShowTenths(int32_t* slots) {
    return ScaledText(slots[0], 1, 1);
}
int64_t TakeTenths(const std::string& text) {
    return ScaledLeadingNumber(text, 1);
}
std::string ShowThousandths(int32_t* slots) {
    // One decimal at least, and every thousandth the register holds: a value shown with fewer
    // decimals would come back changed at the next Set.
    return ScaledText(slots[0], 3, 1);
}
int64_t TakeThousandths(const std::string& text) {
    return ScaledLeadingNumber(text, 3);
}
std::string ShowTimesTen(int32_t* slots) {
    return std::to_string(slots[0] / 10);
}
int64_t TakeTimesTen(const std::string& text) {
    // Kept to a multiple of ten the register holds, so the text shows it unchanged.
    return ClampToRegister(int64_t{LeadingInteger(text)} * 10) / 10 * 10;
}

}  // namespace conversions

std::string FieldText(const NumericField& field) {
    return field.conversion.show != nullptr ? field.conversion.show(field.reg.Slots()) : "";
}

int32_t FieldValue(const NumericField& field, const std::string& text) {
    const int64_t v = field.conversion.take(text);
    if (!field.range) {
        // A number beyond one register would reach the panel as unrelated low 16 bits.
        return ClampToRegister(v);
    }
    return v >= field.range->low && v <= field.range->high ? static_cast<int32_t>(v)
                                                           : field.range->replacement;
}

void ShowFields(FormModel& form, std::span<const NumericField> fields) {
    for (const NumericField& field : fields) {
        if (field.conversion.take != nullptr) {
            // Before the text is made: showing may put the register into another form.
            RememberShown(form, field.reg);
        }
        if (field.conversion.show != nullptr) {
            ControlState& edit = form[field.id];
            edit.text = FieldText(field);
            edit.shownText = edit.text;
        }
    }
}

void StoreFields(FormModel& form, std::span<const NumericField> fields) {
    for (const NumericField& field : fields) {
        if (field.conversion.take == nullptr || RestoreUnedited(form, field.id, field.reg)) {
            continue;
        }
        field.reg.Slot() = FieldValue(field, form[field.id].text);
        MarkStoredEdit(form, field.id, field.reg);
    }
}

void RememberShown(FormModel& form, Reg first, int count) {
    for (int k = 0; k < count; ++k) {
        const Reg reg = Plus(first, k);
        form.Shown()[Key(reg)] = {reg.Slot(), SlotHeld(reg.bank, reg.reg)};
    }
}

void RememberShownEdit(FormModel& form, int id, Reg first, int count) {
    RememberShown(form, first, count);
    ControlState& edit = form[id];
    edit.shownText = edit.text;
}

bool RestoreUnedited(FormModel& form, int id, Reg first, int count) {
    const ControlState& edit = form[id];
    if (!edit.shownText || *edit.shownText != edit.text) {
        return false;
    }
    // A register the form never remembered (sent from another control's text) keeps what the
    // store holds.
    RestoreShown(form, first, count);
    return true;
}

void MarkStoredEdit(FormModel& form, int id, Reg first, int count) {
    const ControlState& edit = form[id];
    const bool typed = edit.shownText.has_value() || !edit.text.empty();
    for (int k = 0; k < count; ++k) {
        SetSlotHeld(first.bank, static_cast<unsigned>(first.reg + k), typed);
    }
}

void AddLists(FormModel& form, std::initializer_list<std::span<const ListField>> lists) {
    for (std::span<const ListField> fields : lists) {
        for (const ListField& field : fields) {
            form[field.id].items = field.items;
        }
    }
}

void AddFields(FormModel& form, std::initializer_list<std::span<const NumericField>> fields) {
    for (std::span<const NumericField> group : fields) {
        for (const NumericField& field : group) {
            form[field.id];
        }
    }
}

void AddControls(FormModel& form, std::span<const int> ids) {
    for (int id : ids) {
        form[id];
    }
}

std::vector<RegisterBlock> Blocks(const RegisterBlock* table, int n) {
    std::vector<RegisterBlock> blocks;
    for (int i = 0; i < n && table[i].count != 0; ++i) {
        blocks.push_back(table[i]);
    }
    return blocks;
}
