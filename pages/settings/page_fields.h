#pragma once
// A settings page's controls as data: each drop-down list with its register and value list,
// and each numeric edit with its register, scaling and accepted range. A page keeps one table
// of each and runs the generic rules below; only its special controls need code of their own.
#include <cstdint>
#include <string>
#include <vector>

// How a pick in a list reaches its register.
enum class ListRule {
    kPosition,  // the text's position in the value list
    kNumber,    // the number of the text, limited to the list's range
    kBit,       // one bit of the register: the value list's text of 0 clears it, others set it
    kPageRule,  // the page's own rule
};

struct ListField {
    int id;
    uint8_t bank;
    uint8_t reg;
    ListRule rule;
    int group;                        // the page's grouping: which Get shows the list
    std::vector<std::string> items;   // in the box, top to bottom
    std::vector<std::string> values;  // by register value
    int bit = 0;                      // kBit only
};

const ListField* FindListField(const std::vector<ListField>& lists, int id);

// The register value a list shows: the register, or its bit.
long ListFieldValue(const ListField& field, int32_t reg);
// Stores the pick `text` by the field's rule (nothing for kPageRule, or a text not listed).
void StoreListPick(const ListField& field, const std::string& text, int32_t& reg);

enum class FieldScale {
    kInteger,      // "%d"
    kTenths,       // shown as v x 0.1 with one decimal, sent as the number x 10
    kThousandths,  // shown as v x 0.001, sent as the number x 1000
    kTimesTen,     // shown as v div 10, sent as the integer x 10
};

struct NumericField {
    int id;
    uint8_t bank;
    uint8_t reg;
    FieldScale scale;
    bool ranged;  // out-of-range values are replaced silently
    int32_t low = 0;
    int32_t high = 0;
    int32_t replacement = 0;
};

std::string FieldText(const NumericField& field, int32_t v);
// The store value for a typed text, range replacement included. A field without a range is
// kept within -32768..65535, which is what its register can carry.
int32_t FieldValue(const NumericField& field, const std::string& text);
