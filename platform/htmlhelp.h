#pragma once

#include "help/book/helpshelf.h"

#include <QString>

class QLibrary;
class QWidget;

namespace nimbara {

// Commands of the help engine.
enum HelpCommand : unsigned {
    HH_DISPLAY_TOPIC = 0,  // open a help file at its default topic in a new viewer window
    HH_CLOSE_ALL = 0x12,   // close every viewer window of the process
};

// The help access of one window that offers help. Construction loads the help engine (the CHM
// decoder library, loaded at run time so that its absence is noticed): without it the box
// "Cannot use the html help" (caption "Tolvane Error", stop icon, no owner) is shown and the
// window goes on without help. Each request looks the engine's entry up again; a missing library
// or entry means the request does nothing. Destruction closes every viewer window of the process
// if this window ever obtained the entry.
class HtmlHelp {
public:
    HtmlHelp();
    ~HtmlHelp();
    HtmlHelp(const HtmlHelp&) = delete;
    HtmlHelp& operator=(const HtmlHelp&) = delete;

    // Opens the help file at path (application directory + relative path) at its default topic.
    void displayTopic(const QString& path);

    bool libraryLoaded() const { return m_library != nullptr; }
    // Whether a request has obtained the engine's entry (the window's help function is set).
    bool helpFunctionObtained() const { return m_helpFunction.canRead(); }

    // Library name and major version that later constructions load; tests name a missing one.
    static void setEngineLibrary(const QString& name, int version);

private:
    HelpShelf lookUpEntry() const;

    HelpShelf m_helpFunction;       // the books the entry obtained by the last request opens
    QLibrary* m_library = nullptr;  // never unloaded: viewers may still use it
};

// The help engine's entry: runs command for path, opening books from shelf. Returns the viewer
// window opened by HH_DISPLAY_TOPIC, null otherwise.
QWidget* htmlHelpEntry(const HelpShelf& shelf, const QString& path, HelpCommand command);

}  // namespace nimbara
