// voltscope_capture DIR: the user guide's pictures, made by the tool itself at build time. It
// starts a simulated panel in-process, links it as a COM port in a scratch ports folder,
// connects the real main window to it offscreen, runs each page's Get buttons, and saves each
// page (and the main window and the Harmonics chart) as PNG files in DIR. Nothing of the
// user's is touched: the ports folder, the profile and "conset.kzx" all live in the scratch
// folder, which is removed at the end.
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "app/connection_lists.h"
#include "app/main_window.h"
#include "app/view/harmonics_chart_window.h"
#include "app/view/main_window_view.h"
#include "app/view/page_view.h"
#include "app/view/qt_user_prompts.h"
#include "pages/kit/list_selection.h"
#include "protocol/requests.h"
#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/main_window.h"
#include "resources/ids/maintenance.h"
#include "resources/ids/metering_counters.h"
#include "resources/ids/pseudo_manual.h"
#include "resources/ids/regulator_comm.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "widgets/ib_tab_ctrl.h"

namespace {

constexpr unsigned kPort = 5;
// A capture that hangs must not hang the build.
constexpr unsigned kWatchdogSeconds = 120;

struct PageShot {
    int templateId;
    std::vector<int> getButtons;
    const char* file;
};

const PageShot kPageShots[] = {
    {ids::config::kTemplate, {ids::config::kGetCfgAndAdvCfg}, "page_configuration.png"},
    {ids::regulator::kTemplate, {ids::regulator::kGetRegAndCommConfig}, "page_regulator_comm.png"},
    {ids::metering::kTemplate,
     {ids::metering::kRefreshMeter, ids::metering::kRefreshDemand, ids::metering::kRefreshCounters},
     "page_metering.png"},
    {ids::logs::kTemplate, {ids::logs::kRefresh, ids::logs::kGetQuickMenu}, "page_logs.png"},
    {ids::diag::kTemplate,
     {ids::diag::kGetDiagAndPwds, ids::diag::kGetActiveAlerts},
     "page_diag_pwds_alerts.png"},
    {ids::maintenance::kTemplate,
     {ids::maintenance::kGetSettings, ids::maintenance::kRefresh},
     "page_maintenance.png"},
    {ids::pseudo::kTemplate, {ids::pseudo::kRefresh}, "page_pseudo_manual.png"},
};

// Nobody is there to answer: every box is reported on stderr and gets its default answer.
class CapturePrompts : public QtUserPrompts {
  public:
    PromptAnswer MessageBox(const MessageBoxRequest& request) override {
        std::fprintf(stderr, "voltscope_capture: box \"%s\": %s\n", request.caption.c_str(),
                     request.text.c_str());
        return request.defaultButton;
    }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
    void OpenDocument(const std::string&) override {}
};

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

// A page is saved without the empty room below its groups.
bool Save(QWidget* widget, const QDir& out, const char* file, bool cropped = false) {
    Settle();
    const QString path = out.filePath(QString::fromLatin1(file));
    const QRect used = widget->childrenRect().marginsAdded(QMargins(2, 2, 2, 2));
    // Opaque: an alpha channel would only add a mask to every picture in the PDF.
    QImage image = widget->grab(cropped ? used & widget->rect() : widget->rect())
                       .toImage()
                       .convertToFormat(QImage::Format_RGB32);
    // The guide shows the picture at its size on the screen, with twice the pixels.
    image.setText(QStringLiteral("DevicePixelRatio"), QString::number(image.devicePixelRatio()));
    if (!image.save(path)) {
        std::fprintf(stderr, "voltscope_capture: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The Metering page's Harmonics window, opened by its button, after its Read.
bool SaveHarmonicsChart(QWidget& meteringPage, const QDir& out) {
    auto* open = meteringPage.findChild<QPushButton*>(QStringLiteral("harmonicsChart"));
    if (open == nullptr) {
        std::fprintf(stderr, "voltscope_capture: the Metering page has no Harmonics Chart\n");
        return false;
    }
    open->click();
    auto* harmonics = meteringPage.findChild<HarmonicsChartWindow*>();
    harmonics->ReadButton()->click();
    const bool saved = Save(harmonics, out, "harmonics_chart.png");
    harmonics->close();
    return saved;
}

const PageShot* ShotOf(const Page& page) {
    for (const PageShot& shot : kPageShots) {
        if (shot.templateId == page.TemplateId()) {
            return &shot;
        }
    }
    return nullptr;
}

int Capture(const QDir& out) {
    sim::PtyPanel panel;
    panel.linkAsComPort(kPort);

    CapturePrompts prompts;
    CRegToolDlg behaviour(prompts);
    MainWindowView window(behaviour, prompts);
    prompts.SetOwner(&window);
    SetBetweenRequestsHook(
        [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    behaviour.LoadConnectionControls();
    SelectByPrefix(behaviour.Form()[ids::window::kCommPort], PortName(kPort));
    behaviour.OnSelectionChanged(ids::window::kCommPort);
    window.show();
    behaviour.RunPanelAction([&behaviour] { behaviour.OnConnectButton(); });
    if (!serial::IsPortOpen() || behaviour.Tabs().empty()) {
        std::fprintf(stderr, "voltscope_capture: the simulated panel did not connect\n");
        return 1;
    }

    int saved = 0;
    bool ok = true;
    for (int i = 0; i < window.Tabs()->PageCount(); ++i) {
        window.Tabs()->ShowPage(i);
        auto* view = qobject_cast<PageView*>(window.Tabs()->widget(i));
        const PageShot* shot = view != nullptr ? ShotOf(view->PageBehaviour()) : nullptr;
        if (shot == nullptr) {
            continue;
        }
        Page& page = view->PageBehaviour();
        for (int button : shot->getButtons) {
            behaviour.RunPanelAction(
                [&page, &prompts, button] { page.OnCommand(button, prompts); });
        }
        ok = Save(view, out, shot->file, true) && ok;
        ++saved;
        if (i == 0) {
            ok = Save(&window, out, "main_window.png") && ok;
        }
        if (shot->templateId == ids::metering::kTemplate) {
            ok = SaveHarmonicsChart(*view, out) && ok;
        }
    }
    behaviour.RunPanelAction([&behaviour] { behaviour.OnConnectButton(); });
    SetBetweenRequestsHook(nullptr);
    if (saved != static_cast<int>(std::size(kPageShots))) {
        std::fprintf(stderr, "voltscope_capture: %d of %zu pages had a tab\n", saved,
                     std::size(kPageShots));
        return 1;
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: voltscope_capture DIR\n");
        return 2;
    }
    ::alarm(kWatchdogSeconds);
    // Never a window on the user's screen, whatever the environment says.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Pictures as sharp as on a high-resolution screen, for print.
    ::setenv("QT_SCALE_FACTOR", "2", 1);
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir().mkpath(out)) {
        std::fprintf(stderr, "voltscope_capture: no scratch folder or no %s\n", argv[1]);
        return 1;
    }
    ::setenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path()).constData(), 1);
    QDir::setCurrent(scratch.path());

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("VoltScope Capture"));
    QCoreApplication::setApplicationName(QStringLiteral("voltscope_capture"));
    return Capture(QDir(out));
}
