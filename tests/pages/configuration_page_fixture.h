#pragma once
// The Configuration page (CPPOne) over the real path.
#include "pages/settings/configuration_page.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/value_store.h"
#include "resources/ids/configuration.h"
#include "tests/support/page_test.h"

namespace testing_support {

using ConfigurationPageTest = PageTest<CPPOne>;

}  // namespace testing_support
