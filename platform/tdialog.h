#pragma once

#include "platform/dialogtemplate.h"
#include "platform/dialogunits.h"

#include <QDialog>
#include <QHash>

#include <cstdint>
#include <span>
#include <vector>

class QAbstractButton;
class QButtonGroup;

namespace nimbara {

enum class TransferDirection { GetData, SetData };

// Well-known command ids of dialog push buttons.
enum DialogCommand { IdOk = 1, IdCancel = 2, IdHelp = 9 };

// A dialog built from a template in dialog units. Its controls are children of the dialog,
// found by their template id. Push buttons send their id to EvCommand; Cancel, Esc and the
// close box end the modal run with no further action.
class TDialog : public QDialog {
    Q_OBJECT

public:
    // templ must outlive the dialog (templates are program resources that live for the run).
    TDialog(QWidget* parent, const DialogTemplate& templ);

    // The control built for template id, or null when there is none of that type.
    template <typename T = QWidget>
    T* control(int id) const {
        return qobject_cast<T*>(m_controls.value(id));
    }
    // The control built for template id; throws std::logic_error when the template has none of
    // that type, so a dialog never goes on with a control missing from its template.
    template <typename T = QWidget>
    T* requiredControl(int id) const {
        T* widget = control<T>(id);
        if (widget == nullptr) {
            throwMissingControl(id, T::staticMetaObject.className());
        }
        return widget;
    }
    // Puts widget, a control of the dialog's own class and a child of the dialog, in the place
    // of the control built for template id: it takes over that control's geometry, state, tab
    // and stacking order and id, and a QLineEdit on an edit also its text and edit styles. The
    // built control is deleted. False, and nothing changed, when the template has no control
    // id or widget is not a child of the dialog.
    bool substituteControl(int id, QWidget* widget);
    const DialogUnits& units() const { return m_units; }
    const DialogTemplate& dialogTemplate() const { return m_template; }

    // The buffer that the transfer mechanism copies into the transfer-enabled buttons at setup.
    // It is not owned and must outlive the dialog; each word is one button's state, 1 = checked.
    void setTransferBuffer(std::span<std::uint16_t> buffer) { m_transferBuffer = buffer; }
    // Enables transfer for button; buttons take the buffer's words in the order of enabling.
    void enableTransfer(QAbstractButton* button) { m_transferButtons.push_back(button); }
    // Copies button states into block (GetData) or block into the buttons (SetData). The block
    // holds one word per transfer-enabled button; surplus words or buttons are left alone.
    void Transfer(std::span<std::uint16_t> block, TransferDirection direction);

    // Runs the dialog modally to its owner (or to the whole program without one) and returns its
    // result code.
    int Execute() { return exec(); }
    int exec() override;
    // Ends the modal run the way the close box does.
    void EvClose() { reject(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

protected:
    // Runs once, when the dialog is first shown: transfers the buffer into the controls.
    // Overrides call it first.
    virtual void SetupWindow();
    // A push button was pressed: OK accepts, Cancel rejects, others do nothing.
    virtual void EvCommand(int id);

    void showEvent(QShowEvent* event) override;
    // Arrow keys on a radio button move through its group, as the Windows dialog manager does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Moves the focus from button to the next (step 1) or previous (step -1) enabled button of
    // its group in template order, wrapping round, and checks it.
    static void moveInGroup(QAbstractButton* button, int step);
    [[noreturn]] void throwMissingControl(int id, const char* type) const;
    void buildControls();
    // The first enabled tab stop gets the focus, as a dialog does when it opens.
    void focusFirstTabStop();
    QWidget* createControl(const ControlTemplate& control);
    void placeControl(QWidget* widget, const ControlTemplate& control) const;

    const DialogTemplate& m_template;
    DialogUnits m_units;
    QHash<int, QWidget*> m_controls;
    QButtonGroup* m_currentGroup = nullptr;
    std::span<std::uint16_t> m_transferBuffer;
    std::vector<QAbstractButton*> m_transferButtons;
    bool m_setupDone = false;
};

// Sets the check state of button; unchecking works inside an exclusive group too.
void setCheck(QAbstractButton* button, bool checked);

}  // namespace nimbara
