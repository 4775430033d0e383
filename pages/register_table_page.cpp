#include "pages/register_table_page.h"

#include <cstdio>

#include "app/app_flags.h"
#include "app/not_connected.h"
#include "protocol/requests.h"
#include "resources/resource_ids.h"

namespace {
constexpr char kConfirmCaption[] = "CONFIRM SETTINGS";
}

RegisterTablePage::RegisterTablePage(std::string caption, int templateId, TemplateSize size,
                                     std::vector<RegisterGroup> groups, std::string note)
    : Page(std::move(caption), templateId, size), groups_(std::move(groups)) {
    form_[ids::kRegisterTable].readOnly = true;
    form_[ids::kPageNote].caption = std::move(note);
    bool reads = false;
    bool writes = false;
    for (const auto& group : groups_) {
        reads = reads || group.readBlocks > 0;
        writes = writes || !group.question.empty();
    }
    form_[ids::kGetButton].caption = "Get";
    form_[ids::kGetButton].visible = reads;
    form_[ids::kSetButton].caption = "Set";
    form_[ids::kSetButton].visible = writes;
    ShowStore();
}

std::string RegisterTablePage::RowText(unsigned bank, unsigned reg, int32_t value) {
    char row[64];
    std::snprintf(row, sizeof row, "%u/%u\t%d\t0x%04X", bank, reg, value,
                  static_cast<unsigned>(value) & 0xFFFFu);
    return row;
}

void RegisterTablePage::ShowStore() {
    auto& table = form_[ids::kRegisterTable];
    table.items.clear();
    for (const auto& group : groups_) {
        table.items.push_back(group.name);
        for (int b = 0; b < group.blockCount && group.blocks[b].count != 0; ++b) {
            const RegisterBlock& block = group.blocks[b];
            for (unsigned i = 0; i < block.count; ++i) {
                unsigned reg = block.start + i;
                table.items.push_back(RowText(block.bank, reg, StoreSlot(block.bank, reg)));
            }
        }
    }
    form_.Changed();
}

void RegisterTablePage::ReadGroups() {
    for (const auto& group : groups_) {
        if (group.readBlocks > 0) {
            ReadBlockTable(group.blocks, group.readBlocks);
        }
    }
}

void RegisterTablePage::Download(UserPrompts& prompts) {
    if (!Flags().connected) {
        ShowOk(prompts, kNotConnectedText, kNotConnectedCaption);
        return;
    }
    WaitCursor wait(prompts);
    if (!Flags().storeOnly) {
        ReadGroups();
    }
    ShowStore();
}

void RegisterTablePage::WriteGroup(const RegisterGroup& group) {
    if (group.writeBlocks > 0) {
        WriteBlockTable(group.blocks, group.writeBlocks);
        return;
    }
    for (const RegisterBlock& run : group.writeRuns) {
        WriteRegisters(run.bank, run.start, run.count, StoreSlots(run.bank, run.start));
    }
}

void RegisterTablePage::Upload(UserPrompts& prompts) {
    // The table is read-only, so there are no control texts to convert into the store.
    if (Flags().storeOnly) {
        return;
    }
    if (!Flags().connected) {
        ShowOk(prompts, kNotConnectedText, kNotConnectedCaption);
        return;
    }
    for (const auto& group : groups_) {
        if (group.question.empty()) {
            continue;
        }
        if (!AskYesNo(prompts, group.question, kConfirmCaption)) {
            continue;
        }
        WaitCursor wait(prompts);
        WriteGroup(group);
        // Read back, so the page shows what the panel now holds.
        if (group.readBlocks > 0) {
            ReadBlockTable(group.blocks, group.readBlocks);
        }
    }
    ShowStore();
}

void RegisterTablePage::EmptyTexts() {
    form_[ids::kRegisterTable].items.clear();
    Page::EmptyTexts();
}

void RegisterTablePage::OnCommand(int controlId, UserPrompts& prompts) {
    if (controlId == ids::kGetButton) {
        Download(prompts);
    } else if (controlId == ids::kSetButton) {
        Upload(prompts);
    }
}
