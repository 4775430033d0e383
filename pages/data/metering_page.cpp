#include "pages/data/metering_page.h"

#include "pages/page_notes.h"
#include "protocol/block_tables.h"

CPPTwo::CPPTwo()
    : RegisterTablePage(
          "Metering and Counters", 104, {454, 383},
          {
              {"<METER>", kMeterBlockTable, kMeterBlockCount, kMeterReadBlocks, "", 0, {}},
              {"<MIN/MAX>", kMinMaxBlockTable, kMinMaxBlockCount, kMinMaxReadBlocks, "", 0, {}},
              {"<DEMAND>", kDemandBlockTable, kDemandBlockCount, kDemandReadBlocks, "", 0, {}},
              {"<COUNTERS>",
               kCountersBlockTable,
               kCountersBlockCount,
               kCountersReadBlocks,
               "",
               0,
               {}},
              {"<HARMONICS>",
               kHarmonicsBlockTable,
               kHarmonicsBlockCount,
               kHarmonicsReadBlocks,
               "",
               0,
               {}},
          },
          kOnRequestNote) {}
