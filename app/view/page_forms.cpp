#include "app/view/page_forms.h"

#include <QHeaderView>
#include <QTableWidget>

#include "resources/ids/logs_quick_key.h"
#include "resources/ids/maintenance.h"
#include "resources/ids/pseudo_manual.h"
#include "resources/ids/metering_counters.h"
#include "resources/ids/register_table.h"
#include "resources/ids/regulator_comm.h"
#include "ui_configuration_page.h"
#include "ui_logs_quick_key_page.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "ui_diag_pwds_alerts_page.h"
#include "ui_maintenance_page.h"
#include "ui_pseudo_manual_page.h"
#include "ui_metering_page.h"
#include "ui_register_table_page.h"
#include "ui_regulator_comm_page.h"

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
        case ids::logs::kTemplate:
            return SetUp<Ui::LogsQuickKeyPageForm>(root);
        case ids::diag::kTemplate:
            return SetUp<Ui::DiagPwdsAlertsPageForm>(root);
        case ids::regulator::kTemplate:
            return SetUp<Ui::RegulatorCommPageForm>(root);
        case ids::maintenance::kTemplate:
            return SetUp<Ui::MaintenancePageForm>(root);
        case ids::pseudo::kTemplate:
            return SetUp<Ui::PseudoManualPageForm>(root);
        case ids::metering::kTemplate:
            return SetUp<Ui::MeteringPageForm>(root);
        default:
            return SetUpRegisterTable(root);
    }
}
