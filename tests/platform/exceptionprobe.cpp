// A program that lets an exception escape an event handler, for the test of the exception box
// and exit code. It prints each message box on its standard output instead of showing it.
#include "platform/messagebox.h"
#include "platform/tapplication.h"
#include "platform/tdecoratedframe.h"
#include "platform/twindow.h"

#include <QTimer>

#include <cstdio>
#include <stdexcept>

namespace {

class PrintingBoxes final : public nimbara::MessageBoxService {
public:
    nimbara::MbAnswer show(const nimbara::MessageBoxRequest& request) override {
        std::printf("%s|%s|%d|%s\n", qPrintable(request.caption), qPrintable(request.text),
                    static_cast<int>(request.icon), request.owner ? "owner" : "no owner");
        std::fflush(stdout);
        return nimbara::MbAnswer::Ok;
    }
};

class ProbeApp final : public nimbara::TApplication {
public:
    ProbeApp(int& argc, char** argv) : TApplication(argc, argv, "Probe") {}

protected:
    void InitMainWindow() override {
        SetMainWindow(std::make_unique<nimbara::TDecoratedFrame>(
            "Probe", new nimbara::TWindow, true, [](int) { return QString(); }));
        QTimer::singleShot(0, [] { throw std::runtime_error("probe failure"); });
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PrintingBoxes boxes;
    nimbara::MessageBoxService::install(&boxes);
    ProbeApp app(argc, argv);
    return app.Run();
}
