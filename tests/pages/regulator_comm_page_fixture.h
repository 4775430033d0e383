#pragma once
// The Regulator and Comm page (CPPOneA) over the real path.
#include <string>
#include <vector>

#include "pages/settings/regulator_comm_fields.h"
#include "pages/settings/regulator_comm_page.h"
#include "protocol/block_tables.h"
#include "protocol/value_store.h"
#include "tests/support/page_test.h"

namespace testing_support {

class RegulatorCommPageTest : public PageTest<CPPOneA> {
  protected:
    static std::vector<std::string> Table(const char* op, const RegisterBlock* blocks, int n) {
        std::vector<std::string> out;
        AppendTable(out, op, blocks, n);
        return out;
    }
};

}  // namespace testing_support
