#include "app/view/page_forms.h"

#include <QHeaderView>
#include <QTableWidget>

#include "resources/ids/metering_counters.h"
#include "resources/ids/register_table.h"
#include "ui_configuration_page.h"
#include "ui_metering_page.h"
#include "ui_register_table_page.h"

namespace {

constexpr int kConfigurationTemplate = 103;

std::vector<ControlName> SetUpRegisterTable(QWidget* root) {
    Ui::RegisterTablePageForm ui;
    ui.setupUi(root);
    ui.IDC_REGISTER_TABLE->setColumnWidth(0, 140);
    ui.IDC_REGISTER_TABLE->setColumnWidth(1, 100);
    ui.IDC_REGISTER_TABLE->verticalHeader()->setDefaultSectionSize(root->fontMetrics().height() +
                                                                   6);
    return {{ids::table::kRegisterTable, "IDC_REGISTER_TABLE"},
            {ids::table::kPageNote, "IDC_PAGE_NOTE"},
            {ids::table::kGetButton, "IDC_GET"},
            {ids::table::kSetButton, "IDC_SET"}};
}

template <typename Form>
std::vector<ControlName> SetUp(QWidget* root) {
    Form ui;
    ui.setupUi(root);
    return {};
}

}  // namespace

std::vector<ControlName> SetUpPageForm(int templateId, QWidget* root) {
    switch (templateId) {
        case kConfigurationTemplate:
            return SetUp<Ui::ConfigurationPageForm>(root);
        case ids::metering::kTemplate:
            return SetUp<Ui::MeteringPageForm>(root);
        default:
            return SetUpRegisterTable(root);
    }
}
