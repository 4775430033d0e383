// Every page against its form and its block tables: the ids its .ui names are the ids the
// page's behaviour knows, and every field's register is read by its group's Get and, when the
// field stores into it, written by its group's Set.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/main_window.h"
#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/maintenance.h"
#include "resources/ids/metering_counters.h"
#include "resources/ids/pseudo_manual.h"
#include "resources/ids/regulator_comm.h"
#include "tests/support/fake_user_prompts.h"

namespace {

struct PageForm {
    int templateId;
    const char* file;
};
// One line per page that has a form of its own.
constexpr PageForm kPageForms[] = {
    {ids::config::kTemplate, ids::config::kFormFile},
    {ids::logs::kTemplate, ids::logs::kFormFile},
    {ids::diag::kTemplate, ids::diag::kFormFile},
    {ids::regulator::kTemplate, ids::regulator::kFormFile},
    {ids::maintenance::kTemplate, ids::maintenance::kFormFile},
    {ids::pseudo::kTemplate, ids::pseudo::kFormFile},
    {ids::metering::kTemplate, ids::metering::kFormFile},
};

std::set<int> IdsNamedIn(const std::string& uiFile) {
    std::ifstream in(std::string(VOLTSCOPE_SOURCE_DIR) + "/resources/" + uiFile);
    std::stringstream text;
    text << in.rdbuf();
    const std::string ui = text.str();
    std::set<int> ids;
    const std::regex name(R"re(name="id(\d+)(_\w*)?")re");
    for (auto it = std::sregex_iterator(ui.begin(), ui.end(), name); it != std::sregex_iterator();
         ++it) {
        ids.insert(std::stoi((*it)[1]));
    }
    return ids;
}

bool Covers(const std::vector<RegisterBlock>& blocks, const Reg& reg) {
    for (const RegisterBlock& b : blocks) {
        if (b.bank == reg.bank && reg.reg >= b.start && reg.reg < b.start + b.count) {
            return true;
        }
    }
    return false;
}

class PageTables : public ::testing::Test {
  protected:
    testing_support::FakeUserPrompts prompts_;
    CRegToolDlg window_{prompts_};
};

TEST_F(PageTables, EveryFormNamesExactlyTheControlsItsPageKnows) {
    for (Page* page : window_.AllPages()) {
        const PageForm* form = nullptr;
        for (const PageForm& f : kPageForms) {
            form = f.templateId == page->TemplateId() ? &f : form;
        }
        ASSERT_NE(form, nullptr) << page->Caption() << " has no form listed here";
        const std::set<int> named = IdsNamedIn(form->file);
        ASSERT_FALSE(named.empty()) << form->file;
        const std::vector<int> known = page->Form().Ids();
        EXPECT_EQ(named, std::set<int>(known.begin(), known.end())) << page->Caption();
    }
}

TEST_F(PageTables, EveryFieldIsReadAndWrittenByItsGroup) {
    int fields = 0;
    for (Page* page : window_.AllPages()) {
        for (const FieldGroup& group : page->FieldGroups()) {
            const std::string where = page->Caption() + " " + group.name;
            for (const NumericField& f : group.numbers) {
                ++fields;
                EXPECT_TRUE(Covers(group.reads, f.reg)) << where << " field " << f.id;
                if (f.conversion.take != nullptr) {
                    EXPECT_TRUE(Covers(group.writes, f.reg)) << where << " field " << f.id;
                }
            }
            for (const ListField& f : group.lists) {
                ++fields;
                EXPECT_TRUE(Covers(group.reads, f.reg)) << where << " list " << f.id;
                EXPECT_TRUE(Covers(group.writes, f.reg)) << where << " list " << f.id;
            }
        }
    }
    EXPECT_GT(fields, 0);
}

}  // namespace
