#include "pages/data/maintenance_page.h"

#include "pages/page_notes.h"
#include "protocol/block_tables.h"

CPPFive::CPPFive()
    : RegisterTablePage("Maintenance", 144, {454, 383},
                        {
                            {"<MAINTENANCE> Statuses",
                             kMaintenanceStatusBlock,
                             1,
                             kMaintenanceStatusReadBlocks,
                             "",
                             0,
                             {}},
                            {"<MAINTENANCE> Counters",
                             kMaintenanceCountersBlock,
                             1,
                             kMaintenanceCountersReadBlocks,
                             "",
                             0,
                             {}},
                        },
                        kOnRequestNote) {}
