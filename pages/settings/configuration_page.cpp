#include "pages/settings/configuration_page.h"

#include "pages/page_notes.h"
#include "protocol/block_tables.h"

CPPOne::CPPOne()
    : RegisterTablePage("Configuration", 103, {454, 383},
                        {
                            {"<CONFIGURE>",
                             kConfigurationBlockTable,
                             kConfigurationBlockCount,
                             kConfigurationReadBlocks,
                             "<CFG> Settings",
                             kConfigurationWriteBlocks,
                             {}},
                            {"<ADV CONFIGURE>",
                             kAdvancedConfigurationBlockTable,
                             kAdvancedConfigurationBlockCount,
                             kAdvancedConfigurationReadBlocks,
                             "<ADV CFG> Settings",
                             kAdvancedConfigurationWriteBlocks,
                             {}},
                        },
                        kRegisterTableNote) {}
