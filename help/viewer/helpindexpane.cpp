#include "help/viewer/helpindexpane.h"

#include "help/book/helplocation.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace nimbara {

namespace {

enum Role { TopicUrls = Qt::UserRole, TopicTitles, SeeAlso };

QTreeWidget* makeList(QWidget* parent, const QString& name) {
    auto* list = new QTreeWidget(parent);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAccessibleName(name);
    return list;
}

}  // namespace

HelpIndexPane::HelpIndexPane(QWidget* parent)
    : QWidget(parent),
      m_field(new QLineEdit(this)),
      m_keywords(makeList(this, "Index keywords")),
      m_topicsLabel(new QLabel("&Topics found:", this)),
      m_topics(makeList(this, "Topics found")) {
    auto* fieldLabel = new QLabel("Type in the &keyword to find:", this);
    fieldLabel->setBuddy(m_field);
    m_field->setAccessibleName("Keyword to find");
    m_topicsLabel->setBuddy(m_topics);
    auto* display = new QPushButton("&Display", this);
    display->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(fieldLabel);
    layout->addWidget(m_field);
    layout->addWidget(m_keywords, 3);
    layout->addWidget(m_topicsLabel);
    layout->addWidget(m_topics, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(display);
    layout->addLayout(buttons);
    m_topicsLabel->hide();
    m_topics->hide();
    setTabOrder(m_field, m_keywords);
    setTabOrder(m_keywords, m_topics);
    setTabOrder(m_topics, display);

    connect(m_field, &QLineEdit::textEdited, this,
            [this](const QString& text) { selectKeyword(text, false); });
    connect(m_field, &QLineEdit::returnPressed, this, &HelpIndexPane::displayCurrent);
    connect(display, &QPushButton::clicked, this, &HelpIndexPane::displayCurrent);
    connect(m_keywords, &QTreeWidget::itemActivated, this, &HelpIndexPane::displayCurrent);
    connect(m_keywords, &QTreeWidget::currentItemChanged, this, [this] {
        m_topicsLabel->hide();
        m_topics->hide();
    });
    connect(m_topics, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit topicChosen(item->data(0, TopicUrls).toUrl()); });
}

void HelpIndexPane::setIndex(const QString& bookPath, const QList<IndexEntry>& index) {
    m_bookPath = bookPath;
    m_keywords->clear();
    m_field->clear();
    addKeywords(nullptr, index);
    m_keywords->expandAll();
    if (m_keywords->topLevelItemCount() > 0) {
        m_keywords->setCurrentItem(m_keywords->topLevelItem(0));
    }
}

void HelpIndexPane::addKeywords(QTreeWidgetItem* parent, const QList<IndexEntry>& entries) {
    const HelpLocation base{m_bookPath, "/", {}};
    for (const IndexEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_keywords);
        item->setText(0, entry.keyword);
        QVariantList urls;
        QStringList titles;
        for (const IndexTopic& topic : entry.topics) {
            const std::optional<HelpLocation> target = resolveHelpLink(base, QUrl(topic.local));
            urls << (target ? target->toUrl() : QUrl(topic.local));
            titles << (topic.title.isEmpty() ? entry.keyword : topic.title);
        }
        item->setData(0, TopicUrls, urls);
        item->setData(0, TopicTitles, titles);
        item->setData(0, SeeAlso, entry.seeAlso);
        addKeywords(item, entry.children);
    }
}

void HelpIndexPane::selectKeyword(const QString& text, bool whole) {
    if (text.isEmpty()) {
        return;
    }
    for (QTreeWidgetItemIterator it(m_keywords); *it; ++it) {
        const QString keyword = (*it)->text(0);
        if (whole ? keyword.compare(text, Qt::CaseInsensitive) == 0
                  : keyword.startsWith(text, Qt::CaseInsensitive)) {
            m_keywords->setCurrentItem(*it);
            m_keywords->scrollToItem(*it, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpIndexPane::displayCurrent() {
    QTreeWidgetItem* keyword = m_keywords->currentItem();
    if (keyword == nullptr) {
        return;
    }
    const QVariantList urls = keyword->data(0, TopicUrls).toList();
    const QString seeAlso = keyword->data(0, SeeAlso).toString();
    if (urls.size() == 1) {
        emit topicChosen(urls.first().toUrl());
    } else if (urls.size() > 1) {
        listTopics(keyword);
    } else if (!seeAlso.isEmpty()) {
        selectKeyword(seeAlso, true);
        m_keywords->setFocus(Qt::OtherFocusReason);
    }
}

void HelpIndexPane::listTopics(QTreeWidgetItem* keyword) {
    m_topics->clear();
    const QVariantList urls = keyword->data(0, TopicUrls).toList();
    const QStringList titles = keyword->data(0, TopicTitles).toStringList();
    for (int i = 0; i < urls.size(); ++i) {
        auto* topic = new QTreeWidgetItem(m_topics, {titles.value(i)});
        topic->setData(0, TopicUrls, urls[i]);
    }
    m_topicsLabel->show();
    m_topics->show();
    m_topics->setCurrentItem(m_topics->topLevelItem(0));
    m_topics->setFocus(Qt::OtherFocusReason);
}

}  // namespace nimbara
