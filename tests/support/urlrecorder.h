#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

namespace nimbara::test {

// Takes the place of the desktop's browser (http, https) and mail program (mailto) while it lives:
// records every URL the program opens and runs an optional probe at that moment.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() {
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("mailto", this, "open");
    }
    ~UrlRecorder() override {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("mailto");
    }

    const QList<QUrl>& opened() const { return m_opened; }
    void onOpen(std::function<void()> probe) { m_probe = std::move(probe); }

    Q_INVOKABLE void open(const QUrl& url) {
        m_opened << url;
        if (m_probe) {
            m_probe();
        }
    }

private:
    QList<QUrl> m_opened;
    std::function<void()> m_probe;
};

}  // namespace nimbara::test
