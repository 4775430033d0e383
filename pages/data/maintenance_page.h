#pragma once
// "Maintenance" (template 144): only for panels from version 4.10 on; read on request.
#include "pages/register_table_page.h"

class CPPFive : public RegisterTablePage {
  public:
    CPPFive();
};
