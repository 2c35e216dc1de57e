#pragma once

#include "help/book/sitemap.h"

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace nimbara {

// The Index tab of a help viewer: the keywords of a book's index file, a field that selects the
// first keyword beginning with what is typed, and a Display button. A keyword with one topic
// shows it; a keyword with several lists them under "Topics found:" to choose from; a "See also"
// keyword selects the keyword it names.
class HelpIndexPane : public QWidget {
    Q_OBJECT

public:
    explicit HelpIndexPane(QWidget* parent);

    // Lists the keywords of index, whose links are read as written in the book at bookPath.
    void setIndex(const QString& bookPath, const QList<IndexEntry>& index);
    const QString& bookPath() const { return m_bookPath; }

    // Shows the topic of the current keyword, or lists its topics, or selects the keyword it
    // refers to.
    void displayCurrent();

    QLineEdit* keywordField() const { return m_field; }
    QTreeWidget* keywords() const { return m_keywords; }
    QTreeWidget* topics() const { return m_topics; }

signals:
    // A topic was chosen: an "ms-its:" place, or a link that leaves the help.
    void topicChosen(const QUrl& url);

private:
    void addKeywords(QTreeWidgetItem* parent, const QList<IndexEntry>& entries);
    void selectKeyword(const QString& text, bool whole);
    void listTopics(QTreeWidgetItem* keyword);

    QString m_bookPath;
    QLineEdit* m_field;
    QTreeWidget* m_keywords;
    QLabel* m_topicsLabel;
    QTreeWidget* m_topics;
};

}  // namespace nimbara
