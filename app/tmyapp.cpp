#include "app/tmyapp.h"

#include "app/tmywindow.h"
#include "platform/decodelimit.h"
#include "platform/tdecoratedframe.h"
#include "platform/tstatusbar.h"
#include "resources/commandsmenu.h"
#include "resources/stringtable.h"

#include <QIcon>

namespace nimbara {

std::unique_ptr<TDecoratedFrame> createMainFrame(QString recordPath) {
    auto* client = new TMyWindow(std::move(recordPath));
    auto frame = std::make_unique<TDecoratedFrame>(
        "Nimbara", client, true, [](int id) { return loadString(id).value_or(QString()); });
    frame->setWindowIcon(QIcon(":/icons/13.svg"));
    auto* statusBar = new TStatusBar(frame.get());
    QToolBar* controlBar = createControlBar(frame.get());
    frame->Insert(statusBar, DecorationLocation::Bottom);
    frame->Insert(controlBar, DecorationLocation::Top);
    frame->AssignMenu(commandsMenu());
    return frame;
}

TMyApp::TMyApp(int& argc, char** argv) : TApplication(argc, argv, "Nimbara") {
    // Qt's own default bound, chosen here on purpose for the whole run: a 32-megapixel desktop
    // picture decodes, a larger one that cannot be decoded in part is refused instead of taking
    // the memory of the machine.
    setDecodeLimit(128);
}

void TMyApp::InitMainWindow() {
    SetMainWindow(createMainFrame());
}

}  // namespace nimbara
