#include "tools/samplephotos/sky/heaplooks.h"

#include <iterator>
#include <stdexcept>

namespace nimbara {

namespace {

// A cumulonimbus: a wide body, flanking towers and the main column, whose upper part has lost
// the hard cauliflower outline; with an anvil the column widens and softens lower down.
Puffs cumulonimbus(const Heap& heap, Random& random, bool anvil) {
    Puffs puffs;
    const double w = heap.width;
    const double h = heap.height;
    Mass body;
    body.top = 0.22 * h;
    body.baseHalfWidth = 0.5 * w;
    body.topHalfWidth = 0.4 * w;
    body.cap = 0.5;
    body.sphereShare = 0.2;
    addMass(random, puffs, body);
    const int flanks = random.integer(2, 3);
    for (int i = 0; i < flanks; ++i) {
        Mass flank;
        flank.x = (i % 2 == 0 ? -1.0 : 1.0) * random.uniform(0.2, 0.32) * w;
        flank.z = 0.15 * w;
        flank.bottom = 0.12 * h;
        flank.top = h * random.uniform(0.3, 0.55);
        flank.baseHalfWidth = w * random.uniform(0.12, 0.17);
        flank.topHalfWidth = flank.baseHalfWidth * 0.85;
        flank.cap = 0.35;
        flank.sphereShare = 0.3;
        addMass(random, puffs, flank);
    }
    // The main column; its upper part has lost the hard cauliflower outline.
    Mass column;
    column.x = random.uniform(-0.08, 0.08) * w;
    column.bottom = 0.2 * h;
    column.top = h;
    column.baseHalfWidth = 0.25 * w;
    column.topHalfWidth = anvil ? 0.34 * w : 0.3 * w;
    column.lean = random.uniform(-0.05, 0.05);
    column.cap = anvil ? 0.12 : 0.3;
    column.sphereShare = 0.22;
    column.softFrom = anvil ? 0.62 : 0.7;
    addMass(random, puffs, column);
    return puffs;
}

// In the order of HeapForm.
const HeapLook kHeapLooks[] = {
    {
        .form = HeapForm::Humilis,
        .build =
            [](const Heap& heap, Random& random) {
                Puffs puffs;
                const double w = heap.width;
                const double h = heap.height;
                Mass body;
                body.top = h;
                body.baseHalfWidth = 0.5 * w;
                body.topHalfWidth = 0.3 * w;
                body.cap = 0.8;
                body.sphereShare = 0.28;
                addMass(random, puffs, body);
                return puffs;
            },
        .edgeSoftness = 0.14,
        .erosion = 0.32,
        .flatBase = true,
        .grain = 0.07,
    },
    {
        .form = HeapForm::Mediocris,
        .build =
            [](const Heap& heap, Random& random) {
                Puffs puffs;
                const double w = heap.width;
                const double h = heap.height;
                Mass body;
                body.top = h * random.uniform(0.85, 1.0);
                body.baseHalfWidth = 0.5 * w;
                body.topHalfWidth = 0.32 * w;
                body.cap = 0.6;
                body.sphereShare = 0.24;
                addMass(random, puffs, body);
                if (random.chance(0.6)) {
                    Mass bulge;
                    bulge.x = random.uniform(-0.25, 0.25) * w;
                    bulge.z = 0.1 * w;
                    bulge.bottom = 0.3 * h;
                    bulge.top = h;
                    bulge.baseHalfWidth = 0.22 * w;
                    bulge.topHalfWidth = 0.18 * w;
                    bulge.cap = 0.6;
                    bulge.sphereShare = 0.3;
                    addMass(random, puffs, bulge);
                }
                return puffs;
            },
        .edgeSoftness = 0.1,
        .erosion = 0.26,
        .flatBase = true,
        .grain = 0.06,
    },
    {
        .form = HeapForm::Congestus,
        .build =
            [](const Heap& heap, Random& random) {
                Puffs puffs;
                const double w = heap.width;
                const double h = heap.height;
                Mass body;
                body.top = 0.35 * h;
                body.baseHalfWidth = 0.5 * w;
                body.topHalfWidth = 0.38 * w;
                body.cap = 0.5;
                body.sphereShare = 0.22;
                addMass(random, puffs, body);
                const int towers = random.integer(2, 3);
                for (int i = 0; i < towers; ++i) {
                    Mass tower;
                    tower.x = random.uniform(-0.22, 0.22) * w;
                    tower.z = random.uniform(-0.05, 0.15) * w;
                    tower.bottom = 0.2 * h;
                    tower.top = i == 0 ? h : h * random.uniform(0.55, 0.85);
                    tower.baseHalfWidth = w * random.uniform(0.2, 0.28);
                    tower.topHalfWidth = tower.baseHalfWidth * random.uniform(0.75, 1.0);
                    tower.cap = 0.35;
                    tower.sphereShare = 0.3;
                    tower.lean = random.uniform(-0.12, 0.12);
                    addMass(random, puffs, tower);
                }
                return puffs;
            },
        .edgeSoftness = 0.06,
        .erosion = 0.2,
        .flatBase = true,
        .grain = 0.04,
        .tower = true,
    },
    {
        .form = HeapForm::Calvus,
        .build = [](const Heap& heap, Random& random) { return cumulonimbus(heap, random, false); },
        .edgeSoftness = 0.08,
        .erosion = 0.24,
        .flatBase = true,
        .grain = 0.025,
        .topFibres = 0.35,
        .stormTower = 1.0,
        .tower = true,
    },
    {
        .form = HeapForm::Capillatus,
        .build = [](const Heap& heap, Random& random) { return cumulonimbus(heap, random, true); },
        .edgeSoftness = 0.08,
        .erosion = 0.24,
        .flatBase = true,
        .grain = 0.025,
        .topFibres = 1.0,
        .stormTower = 1.0,
        .anvil = AnvilTop::WhenReaching,
        .tower = true,
    },
    {
        .form = HeapForm::Fractus,
        .build =
            [](const Heap& heap, Random& random) {
                Puffs puffs;
                const double w = heap.width;
                const double h = heap.height;
                // Drawn out along the wind: many small lumps in a flat, ragged row.
                const int count = random.integer(8, 14);
                for (int i = 0; i < count; ++i) {
                    const double t = random.uniform(-1.0, 1.0);
                    const double r = std::min(h * random.uniform(0.35, 0.7), 0.2 * w) *
                                     (1.0 - 0.5 * std::abs(t));
                    puffs.push_back({t * 0.45 * w, random.uniform(0.3, 0.6) * h,
                                     random.uniform(-0.1, 0.1) * w, r, 0.3});
                }
                return puffs;
            },
        .edgeSoftness = 0.3,
        .erosion = 1.1,
        .flatBase = false,
        .grain = 0.045,
        .shreds = true,
    },
    {
        .form = HeapForm::Castellanus,
        .build =
            [](const Heap& heap, Random& random) {
                Puffs puffs;
                const double w = heap.width;
                const double h = heap.height;
                Mass base;
                base.top = 0.12 * w;
                base.baseHalfWidth = 0.5 * w;
                base.topHalfWidth = 0.45 * w;
                base.cap = 0.6;
                base.sphereShare = 0.25;
                base.flatten = 0.3;
                addMass(random, puffs, base);
                const int turrets = random.integer(3, 6);
                for (int i = 0; i < turrets; ++i) {
                    Mass turret;
                    turret.x = random.uniform(-0.42, 0.42) * w;
                    turret.z = 0.05 * w;
                    turret.bottom = 0.06 * w;
                    turret.top = h * random.uniform(0.55, 1.0);
                    turret.baseHalfWidth = w * random.uniform(0.035, 0.055);
                    turret.topHalfWidth = turret.baseHalfWidth * 1.3;
                    turret.cap = 0.55;
                    turret.sphereShare = 0.45;
                    turret.lean = random.uniform(-0.1, 0.1);
                    addMass(random, puffs, turret);
                }
                return puffs;
            },
        .edgeSoftness = 0.12,
        .erosion = 0.3,
        .flatBase = true,
        .grain = 0.03,
    },
    {
        .form = HeapForm::Floccus,
        .build =
            [](const Heap& heap, Random& random) {
                Puffs puffs;
                const double w = heap.width;
                const double h = heap.height;
                const int tufts = random.integer(2, 4);
                for (int i = 0; i < tufts; ++i) {
                    const double cx = random.uniform(-0.4, 0.4) * w;
                    const double cy = h * random.uniform(0.55, 0.8);
                    const int lumps = random.integer(3, 5);
                    for (int k = 0; k < lumps; ++k) {
                        puffs.push_back({cx + random.uniform(-0.1, 0.1) * w,
                                         cy + random.uniform(-0.12, 0.12) * h,
                                         random.uniform(-0.05, 0.05) * w,
                                         w * random.uniform(0.08, 0.14), 0.2});
                    }
                }
                return puffs;
            },
        .edgeSoftness = 0.3,
        .erosion = 0.9,
        .flatBase = false,
        .grain = 0.05,
        .virga = true,
    },
    {
        .form = HeapForm::Anvil,
        .build = nullptr,
        .edgeSoftness = 0.3,
        .erosion = 0.5,
        .flatBase = false,
        .grain = 0.05,
        .anvil = AnvilTop::Always,
    },
};

}  // namespace

const HeapLook& heapLook(HeapForm form) {
    const auto index = static_cast<std::size_t>(form);
    if (index >= std::size(kHeapLooks) || kHeapLooks[index].form != form) {
        throw std::logic_error("the heap looks are not in the order of their forms");
    }
    return kHeapLooks[index];
}

std::span<const HeapLook> heapLooks() {
    return kHeapLooks;
}

}  // namespace nimbara
