#include "platform/htmlhelp.h"

#include "help/viewer/helpviewer.h"
#include "platform/messagebox.h"

#include <QLibrary>

namespace nimbara {

namespace {

struct EngineLibrary {
    QString name = "mspack";
    int version = 0;
};

EngineLibrary& engineLibrary() {
    static EngineLibrary library;
    return library;
}

}  // namespace

void HtmlHelp::setEngineLibrary(const QString& name, int version) {
    engineLibrary() = {name, version};
}

HtmlHelp::HtmlHelp() {
    auto* library = new QLibrary(engineLibrary().name, engineLibrary().version);
    if (library->load()) {
        m_library = library;
    } else {
        delete library;
        messageBox(nullptr, "Cannot use the html help", "Tolvane Error", MbIcon::Stop);
    }
}

HtmlHelp::~HtmlHelp() {
    if (m_helpFunction.canRead()) {
        htmlHelpEntry(m_helpFunction, QString(), HH_CLOSE_ALL);
    }
    // The library handle is dropped, never unloaded: other windows and viewers may use it.
    delete m_library;
}

HelpShelf HtmlHelp::lookUpEntry() const {
    return m_library == nullptr ? HelpShelf() : HelpShelf::fromLibrary(*m_library);
}

void HtmlHelp::displayTopic(const QString& path) {
    m_helpFunction = lookUpEntry();
    if (m_helpFunction.canRead()) {
        htmlHelpEntry(m_helpFunction, path, HH_DISPLAY_TOPIC);
    }
}

QWidget* htmlHelpEntry(const HelpShelf& shelf, const QString& path, HelpCommand command) {
    switch (command) {
        case HH_DISPLAY_TOPIC:
            return HelpViewer::open(path, shelf);
        case HH_CLOSE_ALL:
            HelpViewer::closeAll();
            break;
    }
    return nullptr;
}

}  // namespace nimbara
