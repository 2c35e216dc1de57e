#pragma once

#include <QApplication>

#include <memory>

namespace nimbara {

class TDecoratedFrame;

// The application object: builds its main window in InitMainWindow, shows it maximised and runs
// the event loop. An exception that escapes an event handler ends the run: the box
// "Nimbara exception" shows its text (stop icon, no owner) and Run returns -1.
class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv, const QString& name);
    ~TApplication() override;

    // Builds the main window, shows it and runs the event loop; returns the exit code.
    int Run();
    TDecoratedFrame* mainWindow() const { return m_mainWindow.get(); }

    bool notify(QObject* receiver, QEvent* event) override;

protected:
    virtual void InitMainWindow() = 0;
    // Takes ownership of frame; the program ends when the frame closes.
    void SetMainWindow(std::unique_ptr<TDecoratedFrame> frame);

private:
    void reportEscapedException(const QString& text);
    // After the frame closed: destroys it, which closes the help windows its client opened,
    // closes any help window left, and ends the event loop with exit code 0.
    void endRun();

    std::unique_ptr<TDecoratedFrame> m_mainWindow;
    bool m_exceptionEscaped = false;
};

}  // namespace nimbara
