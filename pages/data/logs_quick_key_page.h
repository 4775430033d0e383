#pragma once
// "Logs and Quick Key" (template 107): the log set-up table and the two log counts.
#include "pages/register_table_page.h"

class CPPThree : public RegisterTablePage {
  public:
    CPPThree();
    // Reads how many interval (11/0) and event (11/4) records the panel holds.
    void RefreshCounts(UserPrompts& prompts);
};
