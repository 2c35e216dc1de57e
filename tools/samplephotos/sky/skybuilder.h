// What composing a sky needs whatever clouds it shows: the scene taking shape, the photograph's
// random numbers in the order the cloud forms draw them, and the placing of heaps and layers in
// the view (where a heap shows, whether it hides another, where a patch clears the towers).
#pragma once

#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/sky/skyphoto.h"
#include "tools/samplephotos/sky/skyscene.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace nimbara {

constexpr double kPictureWidth = 400.0;

// Distance on a level `altitude` metres up at which it is seen `elevation` degrees high.
double distanceAtElevation(double altitude, double elevation);

class SkyBuilder {
public:
    explicit SkyBuilder(const SkyPhoto& photo);

    const SkyPhoto& photo() const { return m_photo; }
    Random& random() { return m_random; }
    SkyScene& scene() { return m_scene; }

    std::uint64_t nextSeed() { return m_random.next() >> 16; }
    double logUniform(double low, double high);
    // Metres across the line of sight at `distance` of picture column screenX.
    double acrossAt(double screenX, double distance) const;
    // The nearest distance at which a base `altitude` up still shows below the picture's top.
    double nearestShown(double altitude) const;

    Heap heapAt(HeapForm form, double screenX, double distance, double base, double width,
                double height);
    // A field of like heaps scattered over the view between two distances.
    void scatterHeaps(HeapForm form, int count, double minWidth, double maxWidth,
                      double heightRatio, double nearest, double farthest, double base,
                      double darkness = 0.0);
    bool overlapsOthers(const Heap& heap) const;

    // Whether the photo shows cloud above level 1 (low) or 2 (middle).
    bool higherShown(int level) const;
    // Degrees above the horizon at which a level `altitude` up is seen above every tall heap that
    // reaches higher than that level (at least 10).
    double lowestClear(double altitude) const;
    // A picture column for a patch at `altitude` and `distance` where it does not hide a tall heap
    // that reaches above it.
    double clearOfTowers(double altitude, double distance);

    // A layer of the texture at altitude, with its own seed and a wind across the view.
    CloudSheet sheet(SheetTexture texture, double altitude, double elementSize);

private:
    QRectF screenBox(const Heap& heap) const;

    const SkyPhoto& m_photo;
    Random m_random;
    SkyScene m_scene;
};

// One cloud form of a level and how it adds its heaps, layers, rain and lightning to the sky
// being composed: everything that makes the form's look.
template <typename Form>
struct CloudLook {
    Form form;
    void (*compose)(SkyBuilder& sky);
};

// The row of form in a table of looks kept in the order of the forms.
template <typename Form, std::size_t count>
const CloudLook<Form>& lookOf(const CloudLook<Form> (&looks)[count], Form form) {
    const auto index = static_cast<std::size_t>(form);
    if (index >= count || looks[index].form != form) {
        throw std::logic_error("a cloud look table is not in the order of its forms");
    }
    return looks[index];
}

}  // namespace nimbara
