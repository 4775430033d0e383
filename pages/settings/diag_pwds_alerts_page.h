#pragma once
// "Diag, Pwds and Alerts" (template 108): the diagnostics and passwords tables.
#include "pages/register_table_page.h"

class CPPFour : public RegisterTablePage {
  public:
    CPPFour();
};
