#include "tdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>

#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

// Windows sets a radio button's text closer to its indicator than the desktop styles do, and
// the template widths count on it.
class DialogButtonStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_RadioButtonLabelSpacing || metric == PM_CheckBoxLabelSpacing) {
            return 4;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* dialogButtonStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new DialogButtonStyle;
        style->setParent(qApp);  // ends with the application, after every dialog
    }
    return style;
}

QFont templateFont(const DialogTemplate& templ) {
    QFont font(QString::fromLatin1(templ.fontFamily));
    font.setPointSize(templ.fontPointSize);
    return font;
}

QWidget* createStatic(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(QString::fromStdString(control.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    const Qt::Alignment horizontal = (control.style & SsCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}

QWidget* createEtchedLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

TDialog::TDialog(QWidget* parent, const DialogTemplate& templ)
    : QDialog(parent), m_template(templ), m_units(templateFont(templ)) {
    setFont(templateFont(templ));
    setWindowTitle(QString::fromLatin1(templ.caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(m_units.toPixelsX(templ.width), m_units.toPixelsY(templ.height));
    // Run modally, a dialog blocks its owner and the owner's owners only: help windows and other
    // windows of the program stay usable beside it. Without an owner it blocks the program.
    setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    buildControls();
}

void TDialog::throwMissingControl(int id, const char* type) const {
    throw std::logic_error("dialog template " + std::to_string(m_template.id) + " has no " + type +
                           " with id " + std::to_string(id));
}

void TDialog::buildControls() {
    for (const ControlTemplate& control : m_template.controls) {
        if (control.style & WsGroup) {
            m_currentGroup = nullptr;
        }
        QWidget* widget = createControl(control);
        widget->setGeometry(m_units.toPixels(control.x, control.y, control.width, control.height));
        widget->setEnabled(!(control.style & WsDisabled));
        if (control.id != -1) {
            m_controls.insert(control.id, widget);
        }
    }
}

QWidget* TDialog::createControl(const ControlTemplate& control) {
    const QString text = QString::fromStdString(control.text);
    switch (control.kind) {
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(text, this);
            box->setFocusPolicy(Qt::NoFocus);
            return box;
        }
        case ControlKind::AutoRadioButton: {
            auto* radio = new QRadioButton(text, this);
            radio->setStyle(dialogButtonStyle());
            radio->setFocusPolicy((control.style & WsTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
            if (m_currentGroup == nullptr) {
                m_currentGroup = new QButtonGroup(this);
            }
            m_currentGroup->addButton(radio);
            return radio;
        }
        case ControlKind::Static:
            return createStatic(control, this);
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new QPushButton(text, this);
            button->setAutoDefault(true);
            button->setDefault(control.kind == ControlKind::DefPushButton);
            const int id = control.id;
            connect(button, &QPushButton::clicked, this, [this, id] { EvCommand(id); });
            return button;
        }
        case ControlKind::EtchedHorizontal:
            return createEtchedLine(this);
    }
    return nullptr;
}

void TDialog::Transfer(std::span<std::uint16_t> block, TransferDirection direction) {
    const std::size_t count = std::min(block.size(), m_transferButtons.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (direction == TransferDirection::GetData) {
            block[i] = m_transferButtons[i]->isChecked() ? 1 : 0;
        } else {
            setCheck(m_transferButtons[i], block[i] == 1);
        }
    }
}

void TDialog::SetupWindow() {
    if (!m_transferBuffer.empty()) {
        Transfer(m_transferBuffer, TransferDirection::SetData);
    }
}

void TDialog::EvCommand(int id) {
    if (id == IdOk) {
        accept();
    } else if (id == IdCancel) {
        reject();
    }
}

void TDialog::showEvent(QShowEvent* event) {
    if (!m_setupDone) {
        m_setupDone = true;
        SetupWindow();
        focusFirstTabStop();
    }
    QDialog::showEvent(event);
}

void TDialog::focusFirstTabStop() {
    for (const ControlTemplate& control : m_template.controls) {
        QWidget* widget = m_controls.value(control.id);
        if ((control.style & WsTabStop) && widget != nullptr && widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void setCheck(QAbstractButton* button, bool checked) {
    if (button->isChecked() == checked) {
        return;
    }
    QButtonGroup* group = button->group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive && !checked) {
        group->setExclusive(false);
    }
    button->setChecked(checked);
    if (exclusive && !checked) {
        group->setExclusive(true);
    }
}

}  // namespace nimbara
