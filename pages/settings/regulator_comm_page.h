#pragma once
// "Regulator and Comm" (template 109): the regulator and communication tables.
#include "pages/register_table_page.h"

class CPPOneA : public RegisterTablePage {
  public:
    CPPOneA();
};
