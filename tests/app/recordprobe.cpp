// Runs Nimbara's real main frame in the application directory it is started in, its learning
// record where XDG_DATA_HOME says. It starts ice classification game I from the Games menu,
// answers two photos (the first right, the second wrong) and prints "answered"; then, with the
// argument "quit", it quits the program with the game still open, and with "wait" it waits to
// be killed (it quits by itself after a minute).
#include "app/tmyapp.h"
#include "games/core/gamecatalogue.h"
#include "games/photoarea.h"
#include "games/tgamedlg.h"
#include "platform/messagebox.h"
#include "platform/tdecoratedframe.h"
#include "platform/twindow.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

class AnsweringOk final : public nimbara::MessageBoxService {
public:
    nimbara::MbAnswer show(const nimbara::MessageBoxRequest&) override {
        return nimbara::MbAnswer::Ok;
    }
};

// Checks the right answer to the photo on show or, when wrong, the next button; clicks OK.
void answer(nimbara::TGameDlg& dialog, bool right) {
    const nimbara::GameRules& rules = *dialog.game().rules;
    const int size = static_cast<int>(rules.answerGroups().front().items.size());
    const int button = (rules.rightChoice(dialog.round().photo()).front() + (right ? 0 : 1)) % size;
    dialog.answerButtons().at(static_cast<std::size_t>(button))->click();
    dialog.control<QPushButton>(nimbara::IdOk)->click();
}

class ProbeApp final : public nimbara::TApplication {
public:
    ProbeApp(int& argc, char** argv, bool quit)
        : TApplication(argc, argv, "Nimbara"), m_quit(quit) {}

protected:
    void InitMainWindow() override {
        SetMainWindow(nimbara::createMainFrame());
        nimbara::TWindow* client = mainWindow()->client();
        auto* poll = new QTimer(client);
        QObject::connect(poll, &QTimer::timeout, client, [this, poll] {
            auto* dialog = qobject_cast<nimbara::TGameDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->windowHandle() == nullptr ||
                !dialog->windowHandle()->isExposed() || dialog->pendingRepaints() != 0) {
                return;
            }
            poll->stop();
            answer(*dialog, true);
            answer(*dialog, false);
            std::printf("answered\n");
            std::fflush(stdout);
            if (m_quit) {
                QCoreApplication::quit();
            }
        });
        poll->start(5);
        QTimer::singleShot(60000, client, [] { QCoreApplication::quit(); });
        QTimer::singleShot(0, client,
                           [client] { client->EvCommand(nimbara::findGame("ice1")->commandId); });
    }

private:
    bool m_quit;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    nimbara::PhotoArea::setDissolveDuration(std::chrono::milliseconds(0));
    AnsweringOk boxes;
    nimbara::MessageBoxService::install(&boxes);
    const bool quit = argc > 1 && std::strcmp(argv[1], "quit") == 0;
    ProbeApp app(argc, argv, quit);
    return app.Run();
}
