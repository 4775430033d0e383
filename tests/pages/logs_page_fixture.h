#pragma once
// The Logs and Quick Key page (CPPThree) over the real path; the page's own state starts fresh
// too.
#include <string>

#include "pages/data/logs_page_state.h"
#include "pages/data/logs_quick_key_page.h"
#include "protocol/value_store.h"
#include "resources/ids/logs_quick_key.h"
#include "tests/support/page_test.h"

namespace testing_support {

class LogsPageTest : public PageTest<CPPThree> {
  protected:
    // A panel of this version with its version word in the store, as the main window's
    // download leaves it.
    sim::PtyPanel& Connect(unsigned version = 410) {
        PageTest::Connect(version);
        StoreSlot(10, 67) = panel_->getRegister(10, 67);
        return *panel_;
    }

    // A list whose edit takes typed text: an item is selected, any other text is typed.
    void ChooseOrType(int id, const std::string& text) {
        ControlState& combo = page_.Form()[id];
        combo.selected = ListPosition(combo.items, text);
        combo.text = text;
        page_.OnSelectionChanged(id, prompts_);
    }
    static int QuickItem(int k) { return ids::logs::kQuickMenuItem1 + k - 1; }
};

}  // namespace testing_support
