#include "platform/tdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
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

// Icons are drawn at their own size, whatever size the template gives, as on Windows.
constexpr QSize kIconSize(32, 32);

QWidget* createIcon(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(parent);
    const QString file = QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(control.text));
    if (QFile::exists(file)) {
        label->setPixmap(QIcon(file).pixmap(kIconSize));
    }
    return label;
}

Qt::Alignment editAlignment(unsigned style) {
    return (style & EsCenter)  ? Qt::AlignHCenter
           : (style & EsRight) ? Qt::AlignRight
                               : Qt::AlignLeft;
}

// Read-only fields sit on the dialog's own colour, as on Windows; transparent ones paint no
// background at all.
void setEditBackground(QWidget* edit, unsigned style) {
    QPalette palette = edit->palette();
    if (style & WsExTransparent) {
        palette.setColor(QPalette::Base, Qt::transparent);
    } else if (style & EsReadOnly) {
        palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
    }
    edit->setPalette(palette);
}

void setLineEditStyle(QLineEdit* edit, const ControlTemplate& control) {
    edit->setText(QString::fromLatin1(control.text));
    edit->setCursorPosition(0);
    edit->setFrame(false);
    edit->setReadOnly(control.style & EsReadOnly);
    edit->setAlignment(editAlignment(control.style) | Qt::AlignVCenter);
    setEditBackground(edit, control.style);
}

QWidget* createEdit(const ControlTemplate& control, QWidget* parent) {
    if (!(control.style & EsMultiLine)) {
        auto* edit = new QLineEdit(parent);
        setLineEditStyle(edit, control);
        return edit;
    }
    auto* edit = new QPlainTextEdit(parent);
    edit->setPlainText(QString::fromLatin1(control.text));
    edit->setFrameShape(QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->document()->setDocumentMargin(2);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(editAlignment(control.style));
    edit->document()->setDefaultTextOption(option);
    if (control.style & EsReadOnly) {
        edit->setReadOnly(true);
        // Read-only text can still be selected and read from the keyboard.
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    setEditBackground(edit, control.style);
    return edit;
}

Qt::FocusPolicy editFocusPolicy(const ControlTemplate& control) {
    return (control.style & WsTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
}

}  // namespace

TDialog::TDialog(QWidget* parent, const DialogTemplate& templ)
    : QDialog(parent), m_template(templ), m_units(templateFont(templ)) {
    setFont(templateFont(templ));
    setWindowTitle(QString::fromStdString(templ.caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(m_units.toPixelsX(templ.width), m_units.toPixelsY(templ.height));
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
        placeControl(widget, control);
        if (control.id != -1) {
            m_controls.insert(control.id, widget);
        }
    }
}

void TDialog::placeControl(QWidget* widget, const ControlTemplate& control) const {
    const QRect rect = m_units.toPixels(control.x, control.y, control.width, control.height);
    widget->setGeometry(control.kind == ControlKind::Icon ? QRect(rect.topLeft(), kIconSize)
                                                          : rect);
    widget->setEnabled(!(control.style & WsDisabled));
}

bool TDialog::substituteControl(int id, QWidget* widget) {
    QWidget* built = m_controls.value(id);
    const auto found =
        std::find_if(m_template.controls.begin(), m_template.controls.end(),
                     [id](const ControlTemplate& control) { return control.id == id; });
    if (built == nullptr || widget == nullptr || widget == built ||
        widget->parentWidget() != this || found == m_template.controls.end()) {
        return false;
    }
    const ControlTemplate& control = *found;
    auto* lineEdit = qobject_cast<QLineEdit*>(widget);
    if (control.kind == ControlKind::Edit && lineEdit != nullptr) {
        setLineEditStyle(lineEdit, control);
    }
    placeControl(widget, control);
    widget->setFocusPolicy(built->focusPolicy());
    // Takes the built control's place in the tab order and in the stacking order.
    QWidget::setTabOrder(built, widget);
    widget->stackUnder(built);
    m_controls.insert(id, widget);
    delete built;
    return true;
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
            radio->installEventFilter(this);
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
        case ControlKind::Edit: {
            QWidget* edit = createEdit(control, this);
            edit->setFocusPolicy(editFocusPolicy(control));
            return edit;
        }
        case ControlKind::Icon:
            return createIcon(control, this);
    }
    return nullptr;
}

int TDialog::exec() {
    // Run modally, a dialog blocks its owner and the owner's owners only: help windows and other
    // windows of the program stay usable beside it. Without an owner it blocks the program.
    setWindowModality(parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    return QDialog::exec();
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

bool TDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QRadioButton*>(watched);
    if (button != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Right) {
            moveInGroup(button, 1);
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Left) {
            moveInGroup(button, -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDialog::moveInGroup(QAbstractButton* button, int step) {
    const QList<QAbstractButton*> buttons =
        button->group() ? button->group()->buttons() : QList<QAbstractButton*>{button};
    const auto count = buttons.size();
    qsizetype at = buttons.indexOf(button);
    for (qsizetype tried = 1; tried < count; ++tried) {
        at = (at + step + count) % count;
        QAbstractButton* next = buttons.at(at);
        if (next->isEnabled() && next->isVisible()) {
            next->setFocus(Qt::TabFocusReason);
            next->setChecked(true);
            return;
        }
    }
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
