#include "pages/register_table_page.h"

#include <cstdio>

#include "pages/kit/panel_action.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/register_table.h"

RegisterTablePage::RegisterTablePage(std::string caption, int templateId, TemplateSize size,
                                     std::vector<RegisterGroup> groups, std::string note)
    : Page(std::move(caption), templateId, size),
      groups_(std::move(groups)),
      note_(std::move(note)) {
    Present();
    ShowStore();
}

// The shared table form serves every page that has no form of its own yet; what differs
// between those pages is set here.
void RegisterTablePage::Present() {
    bool reads = false;
    bool writes = false;
    for (const auto& group : groups_) {
        reads = reads || group.readBlocks > 0;
        writes = writes || !group.question.empty();
    }
    form_[ids::table::kPageNote].caption = note_;
    form_[ids::table::kGetButton].visible = reads;
    form_[ids::table::kSetButton].visible = writes;
}

std::string RegisterTablePage::RowText(unsigned bank, unsigned reg, int32_t value) {
    char row[64];
    std::snprintf(row, sizeof row, "%u/%u\t%d\t0x%04X", bank, reg, value,
                  static_cast<unsigned>(value) & 0xFFFFu);
    return row;
}

void RegisterTablePage::ShowStore() {
    auto& table = form_[ids::table::kRegisterTable];
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
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    read_.ReadUnlessStoreOnly([this] { ReadGroups(); });
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
    for (const auto& group : groups_) {
        if (group.question.empty()) {
            continue;
        }
        const SetOutcome outcome =
            ConfirmAndWrite(prompts, group.question, read_, [&] { WriteGroup(group); });
        if (outcome == SetOutcome::kStoreOnly || outcome == SetOutcome::kNotConnected) {
            return;
        }
        // Read back, so the page shows what the panel now holds.
        if (outcome == SetOutcome::kWritten && group.readBlocks > 0) {
            WaitCursor wait(prompts);
            ReadBlockTable(group.blocks, group.readBlocks);
        }
    }
    ShowStore();
}

void RegisterTablePage::ResetWindow() {
    form_.Reset();
    form_[ids::table::kRegisterTable].items.clear();
    read_.Forget();
    Present();
    form_.Changed();
}

void RegisterTablePage::OnCommand(int controlId, UserPrompts& prompts) {
    if (controlId == ids::table::kGetButton) {
        Download(prompts);
    } else if (controlId == ids::table::kSetButton) {
        Upload(prompts);
    }
}
