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

void ShowList(ControlState& combo, const ListField& field) {
    ShowListValue(combo, field.ValueTexts(), ListValue(field));
}

void ShowLists(FormModel& form, std::span<const ListField> lists) {
    for (const ListField& field : lists) {
        ShowList(form[field.id], field);
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
    if (field->onPick) {
        field->onPick(*field, text, prompts);
    } else {
        StorePick(*field, text);
    }
    return true;
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
        if (field.conversion.show != nullptr) {
            form[field.id].text = FieldText(field);
        }
    }
}

void StoreFields(FormModel& form, std::span<const NumericField> fields) {
    for (const NumericField& field : fields) {
        if (field.conversion.take != nullptr) {
            field.reg.Slot() = FieldValue(field, form[field.id].text);
        }
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
