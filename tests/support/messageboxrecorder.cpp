#include "tests/support/messageboxrecorder.h"

namespace nimbara::test {

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
