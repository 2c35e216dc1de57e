#pragma once

#include "platform/messagebox.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>
#include <ostream>
#include <vector>

namespace nimbara::test {

// One box as the program asked for it. Boxes compare equal when everything the user sees of
// them is the same and they had the same owner.
struct RecordedBox {
    QPointer<QWidget> owner;
    bool hadOwner = false;
    QString text;
    QString caption;
    MbIcon icon;
    MbButtons buttons;

    // The box as a test expects it: with no owner window, or owned by owner.
    static RecordedBox ownerless(const QString& text, const QString& caption, MbIcon icon,
                                 MbButtons buttons = MbButtons::Ok);
    static RecordedBox ownedBy(QWidget* owner, const QString& text, const QString& caption,
                               MbIcon icon, MbButtons buttons = MbButtons::Ok);

    friend bool operator==(const RecordedBox& a, const RecordedBox& b);
    // Shows the box in a failure message: owner, text, caption, icon and buttons.
    friend void PrintTo(const RecordedBox& box, std::ostream* out);
};

// Replaces the message-box service while it lives: records every box in order and answers from
// a script. With the script empty an OK box is answered Ok and a Yes/No box No.
class MessageBoxRecorder final : public MessageBoxService {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder() override;

    MbAnswer show(const MessageBoxRequest& request) override;

    void answerNext(MbAnswer answer) { m_script.push_back(answer); }
    // Runs action while the next box is "open" (after it is recorded, before it returns).
    void onNextBox(std::function<void(const RecordedBox&)> action) { m_onBox = std::move(action); }
    const std::vector<RecordedBox>& boxes() const { return m_boxes; }
    // The texts of the boxes in order.
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

private:
    MessageBoxService* m_previous;
    std::vector<RecordedBox> m_boxes;
    std::deque<MbAnswer> m_script;
    std::function<void(const RecordedBox&)> m_onBox;
};

}  // namespace nimbara::test
