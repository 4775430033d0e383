#pragma once
// "Pseudo Manual" (template 110): raise, lower and auto-inhibit; it keeps no stored registers.
#include "pages/register_table_page.h"

class CPPSix : public RegisterTablePage {
  public:
    CPPSix();
};
