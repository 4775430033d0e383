#include "pages/settings/page_fields.h"

#include <algorithm>

#include "pages/settings/list_selection.h"
#include "pages/settings/numeric_fields.h"

const ListField* FindListField(const std::vector<ListField>& lists, int id) {
    for (const ListField& field : lists) {
        if (field.id == id) {
            return &field;
        }
    }
    return nullptr;
}

long ListFieldValue(const ListField& field, int32_t reg) {
    return field.rule == ListRule::kBit ? (reg >> field.bit) & 1 : reg;
}

void StoreListPick(const ListField& field, const std::string& text, int32_t& reg) {
    switch (field.rule) {
        case ListRule::kNumber: {
            const int last = static_cast<int>(field.values.size()) - 1;
            reg = std::clamp(LeadingInteger(text), 0, std::max(last, 0));
            return;
        }
        case ListRule::kBit:
            if (!field.values.empty() && text == field.values[0]) {
                reg &= ~(1 << field.bit);
            } else {
                reg |= 1 << field.bit;
            }
            return;
        case ListRule::kPosition: {
            const int position = ListPosition(field.values, text);
            if (position >= 0) {
                reg = position;
            }
            return;
        }
        case ListRule::kPageRule:
            return;
    }
}

std::string FieldText(const NumericField& field, int32_t v) {
    switch (field.scale) {
        case FieldScale::kTenths:
            return ScaledText(v, 1, 1);
        case FieldScale::kThousandths:
            // One decimal at least, and every thousandth the register holds.
            return ScaledText(v, 3, 1);
        case FieldScale::kTimesTen:
            return std::to_string(v / 10);
        case FieldScale::kInteger:
            break;
    }
    return std::to_string(v);
}

int32_t FieldValue(const NumericField& field, const std::string& text) {
    int64_t v = 0;
    switch (field.scale) {
        case FieldScale::kTenths:
            v = ScaledLeadingNumber(text, 1);
            break;
        case FieldScale::kThousandths:
            v = ScaledLeadingNumber(text, 3);
            break;
        case FieldScale::kTimesTen:
            // Kept to a multiple of ten the register holds, so the text shows it unchanged.
            return ClampToRegister(int64_t{LeadingInteger(text)} * 10) / 10 * 10;
        case FieldScale::kInteger:
            v = LeadingInteger(text);
            break;
    }
    if (!field.ranged) {
        // A number beyond one register would reach the panel as unrelated low 16 bits.
        return ClampToRegister(v);
    }
    return v >= field.low && v <= field.high ? static_cast<int32_t>(v) : field.replacement;
}
