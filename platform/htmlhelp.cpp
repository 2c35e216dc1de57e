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
    if (m_helpFunction.isValid()) {
        htmlHelpEntry(m_helpFunction, QString(), HH_CLOSE_ALL);
    }
    // The library handle is dropped, never unloaded: other windows and viewers may use it.
    delete m_library;
}

ChmDecoderEntry HtmlHelp::lookUpEntry() const {
    if (m_library == nullptr) {
        return {};
    }
    ChmDecoderEntry entry;
    entry.create = reinterpret_cast<decltype(entry.create)>(
        m_library->resolve("mspack_create_chm_decompressor"));
    entry.destroy = reinterpret_cast<decltype(entry.destroy)>(
        m_library->resolve("mspack_destroy_chm_decompressor"));
    return entry.isValid() ? entry : ChmDecoderEntry{};
}

void HtmlHelp::displayTopic(const QString& path) {
    m_helpFunction = lookUpEntry();
    if (m_helpFunction.isValid()) {
        htmlHelpEntry(m_helpFunction, path, HH_DISPLAY_TOPIC);
    }
}

QWidget* htmlHelpEntry(const ChmDecoderEntry& decoder, const QString& path, HelpCommand command) {
    switch (command) {
        case HH_DISPLAY_TOPIC:
            return HelpViewer::open(path, decoder);
        case HH_CLOSE_ALL:
            HelpViewer::closeAll();
            break;
    }
    return nullptr;
}

}  // namespace nimbara
