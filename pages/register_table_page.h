#pragma once
// A page whose own controls are not built yet: its download reads its block tables and lists
// every register as a read-only row; its upload writes the same registers back after the
// page's confirmation questions. Each real page replaces this base with its own behaviour.
#include <string>
#include <vector>

#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"
#include "protocol/register_block.h"

// One group of registers as the page transfers it.
struct RegisterGroup {
    std::string name;             // shown above the group's rows
    const RegisterBlock* blocks;  // the block table
    int blockCount;               // blocks shown
    int readBlocks;               // blocks read by a download (0: read by other means)
    std::string question;         // the "CONFIRM SETTINGS" text; "" when never written
    // How the upload writes: the first writeBlocks blocks of the table as blocks, or the
    // listed single registers one request each, or the listed blocks one request each.
    int writeBlocks = 0;
    std::vector<RegisterBlock> writeRuns;
};

class RegisterTablePage : public Page {
  public:
    RegisterTablePage(std::string caption, int templateId, TemplateSize size,
                      std::vector<RegisterGroup> groups, std::string note);

    void Download(UserPrompts& prompts) override;
    void Upload(UserPrompts& prompts) override;
    void ResetWindow() override;
    // "Get" downloads, "Set" uploads.
    void OnCommand(int controlId, UserPrompts& prompts) override;

    const std::vector<RegisterGroup>& Groups() const { return groups_; }

    // The rows "bank/register<TAB>decimal<TAB>hex" of every register the page shows.
    static std::string RowText(unsigned bank, unsigned reg, int32_t value);

  protected:
    // Lists the store's values of every group in the table control.
    void ShowStore();
    // Reads the groups that take part in a download (nothing in store-only mode).
    void ReadGroups();

  private:
    void Present();
    void WriteGroup(const RegisterGroup& group);

    std::vector<RegisterGroup> groups_;
    std::string note_;
    ReadRecord read_;
};
