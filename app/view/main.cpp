// voltscope: the desktop tool. One window; the process ends when it closes.
#include <QApplication>

#include "app/frame_log.h"
#include "app/main_window.h"
#include "app/view/link_event_relay.h"
#include "app/view/main_window_view.h"
#include "app/view/qt_user_prompts.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application profile (the progress window's position) lives under this name.
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("VoltScope"));

    // Kept from the start, so that Help -> Frame Log shows what happened before it was opened;
    // it outlives the window, whose Frame Log window listens to it.
    FrameLog frames;
    SetFrameObserver([&frames](const FrameEvent& event) { frames.Record(event); });
    QtUserPrompts prompts;
    CRegToolDlg behaviour(prompts);
    MainWindowView window(behaviour, prompts);
    prompts.SetOwner(&window);
    window.AttachFrameLog(frames);
    LinkEventRelay linkEvents(prompts);
    behaviour.SetExitHandler([](int code) { QCoreApplication::exit(code); });
    // Long panel work (the Connect download, a page's Get) keeps the window painted and its
    // timers running between requests; the user's clicks and keys wait until it is done, but
    // for the progress window's Cancel (which takes every click and key while it shows).
    SetBetweenRequestsHook([&prompts] {
        QCoreApplication::processEvents(
            prompts.ProgressShowing() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    });

    // The connection controls are filled before the window appears; a box about the settings
    // file then shows over a filled window.
    behaviour.LoadConnectionControls();
    window.show();
    behaviour.ReportSettingsFile();
    int code = QApplication::exec();
    SetFrameObserver(nullptr);
    if (serial::IsPortOpen()) {
        CloseCommPort();
    }
    return code;
}
