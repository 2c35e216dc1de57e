#include "platform/tapplication.h"

#include "help/viewer/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/tdecoratedframe.h"

#include <exception>

namespace nimbara {

namespace {

constexpr int kExceptionExitCode = -1;

}  // namespace

TApplication::TApplication(int& argc, char** argv, const QString& name) : QApplication(argc, argv) {
    setApplicationName(name);
    setQuitOnLastWindowClosed(true);
}

TApplication::~TApplication() = default;

void TApplication::SetMainWindow(std::unique_ptr<TDecoratedFrame> frame) {
    m_mainWindow = std::move(frame);
    setApplicationWindow(m_mainWindow.get());
    // Queued: the frame is still inside its close event when it says it closed.
    connect(m_mainWindow.get(), &TDecoratedFrame::closed, this, &TApplication::endRun,
            Qt::QueuedConnection);
}

void TApplication::endRun() {
    m_mainWindow.reset();
    HelpViewer::closeAll();
    exit(0);
}

int TApplication::Run() {
    try {
        InitMainWindow();
        if (m_mainWindow) {
            m_mainWindow->showMaximisedAlways();
        }
    } catch (const std::exception& error) {
        reportEscapedException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportEscapedException("Unknown exception");
    }
    const int code = m_exceptionEscaped ? kExceptionExitCode : exec();
    m_mainWindow.reset();
    return m_exceptionEscaped ? kExceptionExitCode : code;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportEscapedException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportEscapedException("Unknown exception");
    }
    return false;
}

void TApplication::reportEscapedException(const QString& text) {
    if (m_exceptionEscaped) {
        return;
    }
    m_exceptionEscaped = true;
    messageBox(nullptr, text, "Nimbara exception", MbIcon::Stop, MbButtons::Ok);
    exit(kExceptionExitCode);
}

}  // namespace nimbara
