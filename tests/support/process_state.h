#pragma once
// The tool keeps its link, store, protocol settings and flags process-wide; every test that
// drives them starts from a freshly started tool.
#include "pages/data/log_records.h"
#include "pages/data/logs_page_state.h"
#include "pages/kit/app_flags.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "serial/serial_link.h"

namespace testing_support {

inline void ResetProcessState() {
    CloseCommPort();
    ResetValueStore();
    ResetFlags();
    ResetTapChangerFlags();
    ResetLogsState();
    ResetLogRecords();
    Protocol() = ProtocolSettings{};
    ResetRequestTotals();
    SetBetweenRequestsHook(nullptr);
    SetFrameObserver(nullptr);
    SetCancelCheck(nullptr);
}

}  // namespace testing_support
