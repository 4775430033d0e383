#pragma once
// "Metering and Counters" (template 104): read only when the user asks on the page.
#include "pages/register_table_page.h"

class CPPTwo : public RegisterTablePage {
  public:
    CPPTwo();
};
