#pragma once
// "Configuration" (template 103): the configuration and advanced configuration tables.
#include "pages/register_table_page.h"

class CPPOne : public RegisterTablePage {
  public:
    CPPOne();
};
