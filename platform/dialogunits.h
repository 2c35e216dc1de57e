#pragma once

#include <QRect>

class QFont;

namespace nimbara {

// Converts dialog units to pixels the way the Windows dialog manager does: the horizontal base
// is the average width of "A".."Z" and "a".."z" in the dialog font, rounded, the vertical base
// its height; a dialog unit is a quarter of the first and an eighth of the second.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace nimbara
