#include "resources/cursortable.h"

#include "resources/resourceids.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <map>
#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

struct CursorResource {
    const char* file;
    QPoint hotSpot;
};

constexpr QSize kCursorSize(32, 32);

}  // namespace

QCursor loadCursor(int id) {
    static const std::map<int, CursorResource> cursors = {
        {IDC_HAND, {":/cursors/10106.svg", QPoint(8, 3)}},  // the tip of the index finger
    };
    const auto found = cursors.find(id);
    if (found == cursors.end()) {
        throw std::out_of_range("cursor " + std::to_string(id) + " not found");
    }
    QPixmap picture(kCursorSize);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLatin1(found->second.file));
    QPainter painter(&picture);
    renderer.render(&painter);
    painter.end();
    return QCursor(picture, found->second.hotSpot.x(), found->second.hotSpot.y());
}

}  // namespace nimbara
