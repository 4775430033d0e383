#pragma once
// The Diag, Pwds and Alerts page (CPPFour) over the real path.
#include "pages/settings/diag_pwds_alerts_page.h"
#include "protocol/value_store.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "tests/support/page_test.h"

namespace testing_support {

using DiagPageTest = PageTest<CPPFour>;

}  // namespace testing_support
