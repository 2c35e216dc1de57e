// The games from their command to the first painted dialog with its first photo loaded (the
// dissolve set to one frame), against a floor measured in the same run: a plain QDialog with the
// same controls at the same places (radio buttons in their groups, group boxes, statics, push
// buttons, the etched line) and a QLabel showing the same photo, read from the same file.
// Run without arguments; it prints one line per game. Uses the photos the build staged.
#include "bench/benchsupport.h"
#include "games/core/gamecatalogue.h"
#include "games/gamedialogfactory.h"
#include "games/photoarea.h"
#include "platform/dialogunits.h"
#include "resources/dialogtemplates.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>

namespace {

using namespace nimbara;
using namespace nimbara::bench;

// The template's controls as plain widgets, and the photo in a label at (40, 40).
void buildFloor(QDialog& dialog, const DialogTemplate& templ, const QString& photo) {
    QFont font(QString::fromLatin1(templ.fontFamily));
    font.setPointSize(templ.fontPointSize);
    dialog.setFont(font);
    dialog.setWindowTitle(QString::fromStdString(templ.caption));
    const DialogUnits units(font);
    dialog.setFixedSize(units.toPixelsX(templ.width), units.toPixelsY(templ.height));
    QButtonGroup* group = nullptr;
    for (const ControlTemplate& control : templ.controls) {
        const QString text = QString::fromStdString(control.text);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::AutoRadioButton: {
                if (group == nullptr || (control.style & WsGroup)) {
                    group = new QButtonGroup(&dialog);
                }
                auto* radio = new QRadioButton(text, &dialog);
                group->addButton(radio);
                widget = radio;
                break;
            }
            case ControlKind::GroupBox:
                widget = new QGroupBox(text, &dialog);
                break;
            case ControlKind::PushButton:
            case ControlKind::DefPushButton:
                widget = new QPushButton(text, &dialog);
                break;
            case ControlKind::EtchedHorizontal: {
                auto* line = new QFrame(&dialog);
                line->setFrameShape(QFrame::HLine);
                widget = line;
                break;
            }
            default: {
                auto* label = new QLabel(text, &dialog);
                label->setWordWrap(true);
                widget = label;
                break;
            }
        }
        widget->setGeometry(units.toPixels(control.x, control.y, control.width, control.height));
    }
    auto* picture = new QLabel(&dialog);
    picture->setGeometry(40, 40, 400, 250);
    picture->setPixmap(QPixmap::fromImage(QImage(photo, "BMP")));
    picture->lower();
}

void measureGame(const GameDefinition& definition, const QString& applicationDirectory) {
    std::vector<std::uint16_t> block(
        static_cast<std::size_t>(definition.rules->answerButtonCount()), 0);
    QString photo;
    const auto game = [&] {
        const std::unique_ptr<TGameDlg> dialog =
            createGameDialog(definition, nullptr, block, applicationDirectory);
        dialog->show();
        waitForFirstPaint(dialog.get());
        if (dialog->photoImage().isNull()) {
            std::printf("%s: the photo was not loaded\n", definition.importId.c_str());
        } else {
            photo = dialog->photoPath();
        }
    };
    const auto floor = [&] {
        QDialog dialog;
        buildFloor(dialog, dialogTemplate(definition.templateId), photo);
        dialog.show();
        waitForFirstPaint(&dialog);
    };
    const Comparison times = compare(25, game, floor);
    std::printf(
        "%-20s %-13s command to first photo %6.2f ms  floor %6.2f ms  ratio %.2f "
        "(goal <= 1.20)\n",
        definition.dialogClass.c_str(), definition.importId.c_str(), times.measured, times.floor,
        times.measured / times.floor);
}

}  // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    PhotoArea::setDissolveDuration(std::chrono::milliseconds(0));
    const QString applicationDirectory = QStringLiteral(NIMBARA_STAGED_APPDIR);
    QDir::setCurrent(applicationDirectory);
    for (const GameDefinition& game : gameCatalogue()) {
        measureGame(game, applicationDirectory);
    }
    return 0;
}
