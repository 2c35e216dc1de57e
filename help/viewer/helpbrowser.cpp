#include "help/viewer/helpbrowser.h"

#include "help/book/helpbook.h"
#include "help/book/helplocation.h"
#include "help/book/helptext.h"
#include "help/book/searchquery.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

#include <algorithm>
#include <array>

namespace nimbara {

namespace {

constexpr std::array kTextSizes = {67, 80, 90, 100, 110, 125, 150, 175, 200};

// The font size a fragment had before the text size was applied to it.
constexpr int kPageFontSize = QTextFormat::UserProperty + 1;

QString errorPage(const QString& heading, const QString& message) {
    return QString("<html><body><h2>%1</h2><p>%2</p></body></html>")
        .arg(heading.toHtmlEscaped(), message.toHtmlEscaped());
}

QUrl withoutFragment(QUrl url) {
    url.setFragment(QString());
    return url;
}

}  // namespace

HelpBrowser::HelpBrowser(BookSource books, QWidget* parent)
    : QTextBrowser(parent), m_books(std::move(books)), m_normalFontSize(font().pointSizeF()) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // Back, Forward and reload all end here, after the page is in place.
    connect(this, &QTextBrowser::sourceChanged, this, &HelpBrowser::pageShown);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    std::optional<HelpLocation> location = HelpLocation::fromUrl(name);
    if (!location) {
        return {};
    }
    if (QFileInfo(location->book).isRelative()) {
        // A picture of another book named by its file name: beside the book of the page.
        const std::optional<HelpLocation> page = HelpLocation::fromUrl(source());
        location = page ? resolveHelpLink(*page, name) : std::nullopt;
        if (!location) {
            return {};
        }
    }
    QString error;
    const HelpBook* book = m_books(location->book, &error);
    std::optional<QByteArray> content = book ? book->data(location->page) : std::nullopt;
    if (content) {
        return *content;
    }
    if (type != QTextDocument::HtmlResource) {
        return {};
    }
    return book ? errorPage("Page not found",
                            QString("The page %1 is not in this help file.").arg(location->page))
                : errorPage("Help file not available", error);
}

void HelpBrowser::showMessage(const QString& heading, const QString& message) {
    setHtml(errorPage(heading, message));
}

void HelpBrowser::pageShown(const QUrl& url) {
    if (withoutFragment(url) != m_markedPage) {
        m_markedPage.clear();
        setExtraSelections({});
    }
    if (document()->revision() != m_sizedRevision && m_textSize != 100) {
        applyTextSize();
        if (!url.fragment().isEmpty()) {
            scrollToAnchor(url.fragment());  // the anchor moved with the new sizes
        }
    }
}

bool HelpBrowser::enlargeText() {
    const auto larger = std::upper_bound(kTextSizes.begin(), kTextSizes.end(), m_textSize);
    if (larger == kTextSizes.end()) {
        return false;
    }
    setTextSize(*larger);
    return true;
}

bool HelpBrowser::shrinkText() {
    const auto smaller = std::lower_bound(kTextSizes.begin(), kTextSizes.end(), m_textSize);
    if (smaller == kTextSizes.begin()) {
        return false;
    }
    setTextSize(*std::prev(smaller));
    return true;
}

void HelpBrowser::resetTextSize() {
    setTextSize(100);
}

void HelpBrowser::setTextSize(int percent) {
    if (percent == m_textSize) {
        return;
    }
    // Keep the same part of the page in view.
    QScrollBar* bar = verticalScrollBar();
    const double place = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
    m_textSize = percent;
    applyTextSize();
    bar->setValue(int(place * bar->maximum() + 0.5));
    emit textSizeChanged(percent);
}

void HelpBrowser::applyTextSize() {
    const qreal scale = m_textSize / 100.0;
    QFont normal = font();
    normal.setPointSizeF(m_normalFontSize * scale);
    document()->setDefaultFont(normal);
    // Fragments with a size of their own (from the page's style sheet) are sized one by one.
    // They are gathered first: changing a format may merge fragments.
    struct Sized {
        int start;
        int end;
        QTextCharFormat format;
    };
    std::vector<Sized> sized;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            const QVariant own = format.property(kPageFontSize);
            const qreal size = own.isValid() ? own.toReal() : format.fontPointSize();
            if (size > 0) {
                format.setProperty(kPageFontSize, size);
                format.setFontPointSize(size * scale);
                sized.push_back(
                    {fragment.position(), fragment.position() + fragment.length(), format});
            }
        }
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const Sized& fragment : sized) {
        cursor.setPosition(fragment.start);
        cursor.setPosition(fragment.end, QTextCursor::KeepAnchor);
        cursor.setCharFormat(fragment.format);
    }
    cursor.endEditBlock();
    m_sizedRevision = document()->revision();
}

int HelpBrowser::markWords(const SearchQuery& query) {
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat mark;
    mark.setBackground(QColor(255, 222, 0));
    mark.setForeground(Qt::black);
    if (!query.isEmpty()) {
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            forEachWord(text, [&](qsizetype start, qsizetype length) {
                if (query.matches(searchKey(QStringView(text).mid(start, length)))) {
                    QTextCursor word(document());
                    word.setPosition(block.position() + int(start));
                    word.setPosition(block.position() + int(start + length),
                                     QTextCursor::KeepAnchor);
                    marks.append({word, mark});
                }
            });
        }
    }
    setExtraSelections(marks);
    m_markedPage = marks.isEmpty() ? QUrl() : withoutFragment(source());
    if (!marks.isEmpty()) {
        QTextCursor first = marks.first().cursor;
        first.clearSelection();
        setTextCursor(first);
        ensureCursorVisible();
    }
    return static_cast<int>(marks.size());
}

void HelpBrowser::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() > 0) {
            enlargeText();
        } else if (event->angleDelta().y() < 0) {
            shrinkText();
        }
        event->accept();
        return;
    }
    QTextBrowser::wheelEvent(event);
}

}  // namespace nimbara
