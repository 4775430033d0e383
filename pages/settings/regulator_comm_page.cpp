#include "pages/settings/regulator_comm_page.h"

#include "pages/kit/app_flags.h"
#include "pages/settings/regulator_comm_fields.h"
#include "protocol/block_tables.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"

namespace text = regulator_text;
using namespace ids::regulator;

namespace {

constexpr ButtonAction<CPPOneA> kButtons[] = {
    {kGetRegAndCommConfig, &CPPOneA::GetRegAndCommConfig},
    {kSetRegAndCommConfig, &CPPOneA::SetRegAndCommConfig},
    {kGetRegConfig, &CPPOneA::GetRegConfig},
    {kSetRegConfig, &CPPOneA::SetRegConfig},
    {kGetSetPointConfig, &CPPOneA::GetSetPointConfig},
    {kSendSetPointConfig, &CPPOneA::SendSetPointConfig},
    {kGetCommConfig, &CPPOneA::GetCommConfig},
    {kSetCommConfig, &CPPOneA::SetCommConfig},
    {kViewImportedData, &CPPOneA::ViewImportedData},
};

// Controls of the form that nothing uses.
constexpr int kUnusedControls[] = {kHostAddress, kCmUnsolicited, kHiddenEdit1, kHiddenEdit2,
                                   kHiddenEdit3};

// Link register values with a rule. On link 1 the line settings may be sent, but the address
// stays fixed while the PC uses address mode; on link 2 the line settings stay as they are.
constexpr int32_t kLinkLineSettable = 1;
constexpr int32_t kLinkLineFixed = 2;

}  // namespace

CPPOneA::CPPOneA() : Page("Regulator and Comm", kTemplate, {446, 345}) {
    AddLists(form_, {RegulatorLists(), CommunicationLists()});
    AddFields(form_, {kSetPointFields, kRegulatorFields, kCommunicationFields});
    AddButtons(form_, kButtons);
    AddControls(form_, kUnusedControls);
    form_[kCmUnsolicited].items = kCmUnsolicitedItems;
}

void CPPOneA::ResetWindow() {
    Page::ResetWindow();
}

std::vector<FieldGroup> CPPOneA::FieldGroups() const {
    const auto setPoints = Blocks(kRegulatorBlockTable, kRegulatorShortReadBlocks);
    std::vector<RegisterBlock> communicationWrites;
    for (const CommunicationWrite& write : kCommunicationWrites) {
        communicationWrites.push_back({write.reg.bank, write.reg.reg, 1});
    }
    return {
        {"<REGULATOR> set points", kSetPointFields, {}, setPoints, setPoints},
        {"<REGULATOR>", kRegulatorFields, RegulatorLists(),
         Blocks(kRegulatorBlockTable, kRegulatorReadBlocks),
         Blocks(kRegulatorBlockTable, kRegulatorWriteBlocks)},
        {"<COMMUNICATIONS>", kCommunicationFields, CommunicationLists(),
         Blocks(kCommunicationBlockTable, kCommunicationReadBlocks), communicationWrites},
    };
}

void CPPOneA::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPOneA::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    if (!OnListPicked(form_, RegulatorLists(), controlId, prompts)) {
        OnListPicked(form_, CommunicationLists(), controlId, prompts);
    }
}

void CPPOneA::GetRegAndCommConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    GetRegConfig(prompts);
    GetCommConfig(prompts);
}

void CPPOneA::SetRegAndCommConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    SetRegConfig(prompts);
    SetCommConfig(prompts);
}

void CPPOneA::ViewImportedData(UserPrompts& prompts) {
    ::ViewImportedData(prompts, [&] {
        GetRegConfig(prompts);
        GetCommConfig(prompts);
    });
}

// --- showing the store ------------------------------------------------------------------------

void CPPOneA::GetSetPointConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] { ReadBlockTable(kRegulatorBlockTable, kRegulatorShortReadBlocks); });
    ShowFields(form_, kSetPointFields);
    form_.Changed();
}

void CPPOneA::GetRegConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] { ReadBlockTable(kRegulatorBlockTable, kRegulatorReadBlocks); });
    ShowFields(form_, kSetPointFields);
    ShowFields(form_, kRegulatorFields);
    ShowLists(form_, RegulatorLists());
    form_.Changed();
}

void CPPOneA::GetCommConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] { ReadBlockTable(kCommunicationBlockTable, kCommunicationReadBlocks); });
    // Read even for a configuration file's values: which controls may change depends on the
    // link, never on the file. A file opened while disconnected has no link to ask, and nothing
    // limits its settings (a request could only go without a reply).
    if (asksLink_) {
        if (serial::IsPortOpen()) {
            ReadRegisters(kLinkBank, kLinkRegister, 1, &Flags().linkValue);
        } else {
            Flags().linkValue = 0;
        }
        ApplyLinkRules();
    }
    ShowFields(form_, kCommunicationFields);
    ShowLists(form_, CommunicationLists());
    form_.Changed();
}

// Only ever disables: the controls come back with the next page window (ResetWindow).
void CPPOneA::ApplyLinkRules() {
    const int32_t link = Flags().linkValue;
    if (link == kLinkLineSettable && Protocol().addressMode != 0) {
        form_[kCommAddress].readOnly = true;
    } else if (link == kLinkLineFixed) {
        for (int id : {kProtocol, kCommBaud, kCommParity}) {
            form_[id].enabled = false;
        }
        form_[kCommAddress].readOnly = true;
    }
}

// --- sending --------------------------------------------------------------------------------

void CPPOneA::SetRegConfig(UserPrompts& prompts) {
    StoreFields(form_, kSetPointFields);
    StoreFields(form_, kRegulatorFields);
    StoreLists(form_, RegulatorLists());
    form_.Changed();
    const SetOutcome outcome =
        ConfirmAndWrite(prompts, text::kRegQuestion, kRegulatorBlockTable, kRegulatorWriteBlocks);
    if (outcome == SetOutcome::kWritten || outcome == SetOutcome::kDeclined) {
        GetRegConfig(prompts);
    }
}

void CPPOneA::SendSetPointConfig(UserPrompts& prompts) {
    StoreFields(form_, kSetPointFields);
    form_.Changed();
    // Never part of a configuration file's transfer, so the store-only flag is not consulted.
    if (!RequireConnected(prompts) ||
        !AcceptIncompleteData(prompts, kRegulatorBlockTable, kRegulatorShortReadBlocks) ||
        !AskYesNo(prompts, text::kSetPointQuestion, kConfirmCaption)) {
        return;
    }
    {
        WaitCursor wait(prompts);
        for (const NumericField& field : kSetPointFields) {
            WriteRegisters(field.reg.bank, field.reg.reg, 1, &field.reg.Slot());
        }
    }
    GetSetPointConfig(prompts);
}

void CPPOneA::SetCommConfig(UserPrompts& prompts) {
    StoreFields(form_, kCommunicationFields);
    StoreLists(form_, CommunicationLists());
    form_.Changed();
    const bool lineSettings = Flags().linkValue == kLinkLineSettable;
    std::vector<RegisterBlock> writes;
    for (const CommunicationWrite& write : kCommunicationWrites) {
        if (lineSettings || !write.onlyOnLinkOne) {
            writes.push_back({write.reg.bank, write.reg.reg, 1});
        }
    }
    const SetOutcome outcome = ConfirmAndWrite(prompts, text::kCommQuestion, writes, [&] {
        for (const RegisterBlock& write : writes) {
            WriteRegisters(write.bank, write.start, 1, write.values());
        }
    });
    if (outcome == SetOutcome::kWritten) {
        GetCommConfig(prompts);
    }
}
