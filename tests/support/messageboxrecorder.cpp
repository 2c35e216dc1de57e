#include "tests/support/messageboxrecorder.h"

namespace nimbara::test {

namespace {

const char* iconName(MbIcon icon) {
    switch (icon) {
        case MbIcon::None:
            return "no icon";
        case MbIcon::Stop:
            return "stop";
        case MbIcon::Question:
            return "question";
        case MbIcon::Exclamation:
            return "exclamation";
        case MbIcon::Information:
            return "information";
    }
    return "?";
}

}  // namespace

RecordedBox RecordedBox::ownerless(const QString& text, const QString& caption, MbIcon icon,
                                   MbButtons buttons) {
    return {nullptr, false, text, caption, icon, buttons};
}

RecordedBox RecordedBox::ownedBy(QWidget* owner, const QString& text, const QString& caption,
                                 MbIcon icon, MbButtons buttons) {
    return {owner, owner != nullptr, text, caption, icon, buttons};
}

bool operator==(const RecordedBox& a, const RecordedBox& b) {
    return a.owner.data() == b.owner.data() && a.hadOwner == b.hadOwner && a.text == b.text &&
           a.caption == b.caption && a.icon == b.icon && a.buttons == b.buttons;
}

void PrintTo(const RecordedBox& box, std::ostream* out) {
    *out << "{\"" << box.text.toStdString() << "\", caption \"" << box.caption.toStdString()
         << "\", " << iconName(box.icon) << ", "
         << (box.buttons == MbButtons::YesNo ? "Yes/No" : "OK") << ", ";
    if (!box.hadOwner) {
        *out << "no owner}";
    } else if (box.owner.isNull()) {
        *out << "owner gone}";
    } else {
        *out << "owner " << box.owner->metaObject()->className() << " \""
             << box.owner->windowTitle().toStdString() << "\"}";
    }
}

MessageBoxRecorder::MessageBoxRecorder() : m_previous(MessageBoxService::install(this)) {}

MessageBoxRecorder::~MessageBoxRecorder() {
    MessageBoxService::install(m_previous);
}

MbAnswer MessageBoxRecorder::show(const MessageBoxRequest& request) {
    m_boxes.push_back({request.owner, request.owner != nullptr, request.text, request.caption,
                       request.icon, request.buttons});
    if (m_onBox) {
        auto action = std::move(m_onBox);
        m_onBox = nullptr;
        action(m_boxes.back());
    }
    if (!m_script.empty()) {
        const MbAnswer answer = m_script.front();
        m_script.pop_front();
        return answer;
    }
    return request.buttons == MbButtons::YesNo ? MbAnswer::No : MbAnswer::Ok;
}

QStringList MessageBoxRecorder::texts() const {
    QStringList result;
    for (const RecordedBox& box : m_boxes) {
        result << box.text;
    }
    return result;
}

}  // namespace nimbara::test
