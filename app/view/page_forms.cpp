#include "app/view/page_forms.h"

#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/maintenance.h"
#include "resources/ids/metering_counters.h"
#include "resources/ids/pseudo_manual.h"
#include "resources/ids/regulator_comm.h"
#include "ui_configuration_page.h"
#include "ui_diag_pwds_alerts_page.h"
#include "ui_logs_quick_key_page.h"
#include "ui_maintenance_page.h"
#include "ui_metering_page.h"
#include "ui_pseudo_manual_page.h"
#include "ui_regulator_comm_page.h"

namespace {

template <typename Form>
std::vector<ControlName> SetUp(QWidget* root) {
    Form ui;
    ui.setupUi(root);
    return {};
}

}  // namespace

std::vector<ControlName> SetUpPageForm(int templateId, QWidget* root) {
    switch (templateId) {
        case ids::config::kTemplate:
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
    }
    return {};
}
