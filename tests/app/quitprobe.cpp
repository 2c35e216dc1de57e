// Runs Nimbara's real main frame in the application directory it is started in, opens a help
// window from the Info menu, then quits with File > Exit and answers Yes. It prints each message
// box and, after the run, how many help windows are still open; it exits with the run's code.
#include "app/tmyapp.h"
#include "help/viewer/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/tdecoratedframe.h"
#include "platform/twindow.h"
#include "resources/resourceids.h"

#include <QTimer>

#include <cstdio>

namespace {

class AnsweringYes final : public nimbara::MessageBoxService {
public:
    nimbara::MbAnswer show(const nimbara::MessageBoxRequest& request) override {
        std::printf("box: %s|%s\n", qPrintable(request.caption), qPrintable(request.text));
        std::fflush(stdout);
        return request.buttons == nimbara::MbButtons::YesNo ? nimbara::MbAnswer::Yes
                                                            : nimbara::MbAnswer::Ok;
    }
};

class ProbeApp final : public nimbara::TApplication {
public:
    ProbeApp(int& argc, char** argv) : TApplication(argc, argv, "Nimbara") {}

protected:
    void InitMainWindow() override {
        SetMainWindow(nimbara::createMainFrame());
        nimbara::TWindow* client = mainWindow()->client();
        QTimer::singleShot(0, client, [client] {
            client->EvCommand(nimbara::CM_HELP_ICE);
            std::printf("help windows open: %lld\n",
                        static_cast<long long>(nimbara::HelpViewer::openWindows().size()));
            client->EvCommand(nimbara::CM_EXIT);
        });
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    AnsweringYes boxes;
    nimbara::MessageBoxService::install(&boxes);
    ProbeApp app(argc, argv);
    const int code = app.Run();
    std::printf("help windows after the run: %lld\n",
                static_cast<long long>(nimbara::HelpViewer::openWindows().size()));
    return code;
}
