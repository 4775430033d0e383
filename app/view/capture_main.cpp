// voltscope_capture [--com N] DIR: pictures of the tool's pages, made by the tool itself. It
// connects the real main window offscreen to a panel, runs each page's Get buttons, and saves
// each page (and the main window, the Harmonics chart, the Trend chart with a recording and a
// comparison with a configuration file) as PNG files in DIR, with beside each page a text file
// of what its controls showed. Without --com (Linux only: the build's user guide pictures) the
// panel is a simulated one started in-process on a pseudo-terminal and linked as COM5 in a
// scratch ports folder; with --com N it is whatever answers on COM N (on
// Windows, a COM port). It prints the status line of every panel action. Nothing of the
// user's is touched: the profile and "conset.kzx" live in a scratch folder removed at the end.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/configuration_file.h"
#include "app/connection_lists.h"
#include "app/main_window.h"
#include "app/view/compare_window.h"
#include "app/view/harmonics_chart_window.h"
#include "app/view/main_window_view.h"
#include "app/view/page_view.h"
#include "app/view/qt_user_prompts.h"
#include "app/view/trend_chart_window.h"
#include "pages/data/metering_page.h"
#include "pages/data/metering_recording.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/text_file.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/main_window.h"
#include "resources/ids/maintenance.h"
#include "resources/ids/metering_counters.h"
#include "resources/ids/pseudo_manual.h"
#include "resources/ids/regulator_comm.h"
#include "serial/serial_link.h"
#include "widgets/ib_tab_ctrl.h"
#ifndef _WIN32
#include "sim/panel_defaults.h"
#include "sim/pty_panel.h"
#endif

namespace {

constexpr int kSimulatedPort = 5;
// A capture that hangs must not hang the build (or a test).
constexpr std::chrono::seconds kWatchdog{120};

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
    // The file an open dialog answers ("Compare With Config File…", the Trend window's
    // "Open…"), when one is set.
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override {
        return openFile.empty() ? std::nullopt : std::optional<std::string>(openFile);
    }
    std::string openFile;
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

// What the page's controls show, a line "name<TAB>text" each, beside its picture: a picture
// made elsewhere (on another system) can then be compared by what it says, not by its pixels.
bool SaveTexts(QWidget* page, const QDir& out, const char* picture) {
    QString lines;
    for (QWidget* control : page->findChildren<QWidget*>()) {
        QString text;
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            text = edit->text();
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            text = list->currentText();
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            text = box->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
        } else {
            continue;
        }
        if (!control->objectName().isEmpty() && !control->objectName().startsWith(u"qt_")) {
            lines += control->objectName() + u'\t' + text.simplified() + u'\n';
        }
    }
    QString path = out.filePath(QString::fromLatin1(picture));
    path.replace(QStringLiteral(".png"), QStringLiteral(".txt"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.toUtf8()) < 0 || !file.commit()) {
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

// The Trend window with a recording opened: 30 automatic-refresh cycles of the page recorded
// as the command line's metering-record does, stamped 2 s apart. `moveMeter` moves the panel's
// metering between cycles when the panel is ours.
bool SaveTrendChart(QWidget& meteringPage, CPPTwo& page, CapturePrompts& prompts,
                    const std::function<void()>& moveMeter, const QDir& out) {
    namespace rec = metering_recording;
    auto* open = meteringPage.findChild<QPushButton*>(QStringLiteral("trendChart"));
    if (open == nullptr) {
        std::fprintf(stderr, "voltscope_capture: the Metering page has no Trend Chart\n");
        return false;
    }
    const std::string path = "shift_REC.csv";  // in the scratch folder
    rec::RecordingFile file;
    std::string error;
    const rec::Clock::time_point start = rec::Clock::now();
    for (int cycle = 0; cycle < 30 && error.empty(); ++cycle) {
        if (cycle == 0 && file.Open(path, &error) != rec::RecordingFile::Opened::kYes) {
            break;
        }
        const rec::Row row = rec::RecordCycle(
            page, prompts, [&] { return start + std::chrono::seconds(2 * cycle); });
        file.Append(row, &error);
        if (moveMeter) {
            moveMeter();
        }
    }
    if (!error.empty()) {
        std::fprintf(stderr, "voltscope_capture: %s\n", error.c_str());
        return false;
    }
    open->click();
    auto* trend = meteringPage.findChild<TrendChartWindow*>();
    prompts.openFile = path;
    trend->OpenButton()->click();
    prompts.openFile.clear();
    const bool saved = Save(trend, out, "trend_chart.png");
    trend->close();
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

// Runs a panel action as the tool does, then prints the status line it left.
void Run(CRegToolDlg& behaviour, const std::function<void()>& action) {
    behaviour.RunPanelAction(action);
    std::printf("status: %s\n", behaviour.Form()[ids::window::kStatusLine].text.c_str());
    std::fflush(stdout);
}

// "Compare With Config File…" against a file whose settings differ from the panel's in a list,
// a scaled number, an On/Off bit and a password.
bool SaveComparisonWindow(CRegToolDlg& behaviour, MainWindowView& window, CapturePrompts& prompts,
                          const QDir& out) {
    struct Change {
        uint8_t bank, reg;
        int32_t value;
    };
    const Change changes[] = {{10, 120, (StoreSlot(10, 120) + 1) % 4},
                              {2, 24, StoreSlot(2, 24) + 15},
                              {11, 1, StoreSlot(11, 1) ^ 1},
                              {11, 200, StoreSlot(11, 200) ^ 0x0101}};
    std::vector<int32_t> kept;
    for (const Change& c : changes) {
        kept.push_back(StoreSlot(c.bank, c.reg));
        StoreSlot(c.bank, c.reg) = c.value;
    }
    const std::string file = WithCrLf(FormatConfigurationFile());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        StoreSlot(changes[i].bank, changes[i].reg) = kept[i];
    }
    std::string problem;
    if (!WriteFileAtomically("approved.kz0", file, &problem)) {
        std::fprintf(stderr, "voltscope_capture: %s\n", problem.c_str());
        return false;
    }
    prompts.openFile = "approved.kz0";
    Run(behaviour, [&behaviour] { behaviour.OnCommand(ids::menu::kCompareWithConfig); });
    prompts.openFile.clear();
    auto* compare = window.findChild<CompareWindow*>();
    if (compare == nullptr) {
        std::fprintf(stderr, "voltscope_capture: no comparison window\n");
        return false;
    }
    const bool saved = Save(compare, out, "compare_window.png");
    compare->close();
    return saved;
}

int Capture(const QDir& out, int port, const std::function<void()>& moveMeter) {
    CapturePrompts prompts;
    CRegToolDlg behaviour(prompts);
    MainWindowView window(behaviour, prompts);
    prompts.SetOwner(&window);
    SetBetweenRequestsHook(
        [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    behaviour.LoadConnectionControls();
    SelectByPrefix(behaviour.Form()[ids::window::kCommPort], PortName(port));
    behaviour.OnSelectionChanged(ids::window::kCommPort);
    window.show();
    Run(behaviour, [&behaviour] { behaviour.OnConnectButton(); });
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
            Run(behaviour, [&page, &prompts, button] { page.OnCommand(button, prompts); });
        }
        ok = Save(view, out, shot->file, true) && SaveTexts(view, out, shot->file) && ok;
        ++saved;
        if (i == 0) {
            ok = Save(&window, out, "main_window.png") && ok;
        }
        if (shot->templateId == ids::metering::kTemplate) {
            ok = SaveHarmonicsChart(*view, out) && ok;
            ok = SaveTrendChart(*view, static_cast<CPPTwo&>(page), prompts, moveMeter, out) && ok;
        }
    }
    ok = SaveComparisonWindow(behaviour, window, prompts, out) && ok;
    behaviour.RunPanelAction([&behaviour] { behaviour.OnConnectButton(); });  // disconnects
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
    int port = 0;
    const char* dir = nullptr;
    if (argc == 4 && std::string(argv[1]) == "--com") {
        port = std::atoi(argv[2]);
        dir = argv[3];
    } else if (argc == 2) {
        dir = argv[1];
    }
    // Without --com, a simulated panel: pseudo-terminals are POSIX only.
    bool badPort = argc == 4 && (port < 1 || port > 255);
#ifdef _WIN32
    badPort = badPort || port == 0;
#endif
    if (dir == nullptr || badPort) {
        std::fprintf(stderr,
                     "usage: voltscope_capture [--com N] DIR   (--com needed on Windows)\n");
        return 2;
    }
    std::thread([] {
        std::this_thread::sleep_for(kWatchdog);
        std::fprintf(stderr, "voltscope_capture: not done after %lld s\n",
                     static_cast<long long>(kWatchdog.count()));
        std::_Exit(3);
    }).detach();
    // Never a window on the user's screen, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Pictures as sharp as on a high-resolution screen, for print.
    qputenv("QT_SCALE_FACTOR", "2");
#ifdef _WIN32
    // There the offscreen platform reads its fonts from a folder, by default one beside Qt that
    // nobody installs: without this every letter would be a box.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        qputenv("QT_QPA_FONTDIR",
                (qEnvironmentVariable("WINDIR") + QStringLiteral("\\Fonts")).toLocal8Bit());
    }
#endif
    const QString out = QDir(QString::fromLocal8Bit(dir)).absolutePath();
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir().mkpath(out)) {
        std::fprintf(stderr, "voltscope_capture: no scratch folder or no %s\n", dir);
        return 1;
    }
    QDir::setCurrent(scratch.path());
    // The profile in the scratch folder too (on Windows it would otherwise go to the registry).
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());

    std::function<void()> moveMeter;
#ifndef _WIN32
    std::unique_ptr<sim::PtyPanel> panel;
    if (port == 0) {
        moveMeter = [&panel, step = 0u]() mutable {
            panel->withRegisters([&step](sim::PanelRegisters& r) { sim::MoveMetering(r, ++step); });
        };
        // Its COM link in a ports folder of its own, not the user's.
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path()).constData(), 1);
        panel = std::make_unique<sim::PtyPanel>();
        panel->linkAsComPort(kSimulatedPort);
        port = kSimulatedPort;
    }
#endif

    QApplication app(argc, argv);
#ifdef _WIN32
    // The offscreen platform asks for "Sans Serif", a name only fontconfig resolves.
    QFont::insertSubstitutions(QStringLiteral("Sans Serif"),
                               {QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans")});
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("VoltScope Capture"));
    QCoreApplication::setApplicationName(QStringLiteral("voltscope_capture"));
    return Capture(QDir(out), port, moveMeter);
}
