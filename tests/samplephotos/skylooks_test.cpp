// The look tables of the cloud forms: each form finds its own row, every row adds something of
// its own to a sky (no two forms of a level compose the same scene, none composes nothing), the
// same photograph always composes the same scene, and each heap form paints a cloud of its own.
#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/sky/heaplooks.h"
#include "tools/samplephotos/sky/highclouds.h"
#include "tools/samplephotos/sky/lowclouds.h"
#include "tools/samplephotos/sky/middleclouds.h"
#include "tools/samplephotos/sky/skycomposer.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace nimbara {
namespace {

// What a scene holds, in enough detail that two forms that add different clouds tell apart.
std::string outline(const SkyScene& scene) {
    std::ostringstream out;
    for (const Heap& heap : scene.heaps) {
        out << "heap " << static_cast<int>(heap.form) << " base " << heap.base << " rain "
            << (heap.rain > 0.0) << " anvil " << (heap.anvil != 0.0) << " dark " << heap.darkness
            << "; ";
    }
    for (const CloudSheet& sheet : scene.sheets) {
        out << "sheet " << static_cast<int>(sheet.texture) << " at " << sheet.altitude << " cover "
            << sheet.cover << " thick " << sheet.thickness << " front " << sheet.bounded << " "
            << sheet.frontOffset << " patches " << sheet.patches.size() << " " << sheet.patchCover
            << " halo " << sheet.halo << " light " << sheet.light.name().toStdString() << "; ";
    }
    for (const CirrusStrands& strands : scene.strands) {
        out << "strands " << static_cast<int>(strands.form) << " " << strands.count << "; ";
    }
    out << "rain " << scene.rain.size() << " lightning " << scene.lightning.size() << " cap "
        << scene.capBase;
    return out.str();
}

SkyPhoto plainPhoto() {
    SkyPhoto photo;
    photo.scenery = Scenery::Hills;
    photo.time = TimeOfDay::Afternoon;
    photo.sunAzimuth = 140.0;
    photo.sunElevation = 40.0;
    photo.camera = Camera::Wide;
    photo.seed = 4242;
    return photo;
}

// Composes, for every row of a level's table, the plain photo with that form alone; checks that
// the row is the one its form finds and that the scenes differ form by form.
template <typename Form>
void expectEachFormItsOwnSky(std::span<const CloudLook<Form>> looks,
                             const CloudLook<Form>& (*lookUp)(Form), Form SkyPhoto::*level) {
    ASSERT_FALSE(looks.empty());
    std::map<std::string, int> seen;
    for (const CloudLook<Form>& look : looks) {
        const int form = static_cast<int>(look.form);
        EXPECT_EQ(&lookUp(look.form), &look) << "form " << form;
        SkyPhoto photo = plainPhoto();
        photo.*level = look.form;
        const std::string scene = outline(composeSky(photo));
        const auto [earlier, added] = seen.emplace(scene, form);
        EXPECT_TRUE(added) << "forms " << earlier->second << " and " << form
                           << " compose the same sky: " << scene;
    }
    // The first row is the level left empty, which adds nothing.
    SkyPhoto empty = plainPhoto();
    empty.*level = looks.front().form;
    EXPECT_EQ(outline(composeSky(empty)), "rain 0 lightning 0 cap 0");
}

TEST(CloudLooks, LowFormsComposeSkiesOfTheirOwn) {
    expectEachFormItsOwnSky(lowCloudLooks(), lowCloudLook, &SkyPhoto::low);
}

TEST(CloudLooks, MiddleFormsComposeSkiesOfTheirOwn) {
    expectEachFormItsOwnSky(middleCloudLooks(), middleCloudLook, &SkyPhoto::middle);
}

TEST(CloudLooks, HighFormsComposeSkiesOfTheirOwn) {
    expectEachFormItsOwnSky(highCloudLooks(), highCloudLook, &SkyPhoto::high);
}

TEST(ComposeSky, IsTheSameForASeedAndChangesWithIt) {
    SkyPhoto photo = plainPhoto();
    photo.low = LowCloud::Humilis;
    photo.middle = MiddleCloud::AcLenticular;
    photo.high = HighCloud::CiUncinus;
    const std::string first = outline(composeSky(photo));
    EXPECT_EQ(outline(composeSky(photo)), first);
    photo.seed += 1;
    EXPECT_NE(outline(composeSky(photo)), first);
}

TEST(ComposeSky, LightningOnlyWhenThePhotoHasThunder) {
    SkyPhoto photo = plainPhoto();
    photo.low = LowCloud::CbOverhead;
    EXPECT_TRUE(composeSky(photo).lightning.empty());
    photo.thunder = true;
    EXPECT_EQ(composeSky(photo).lightning.size(), 1u);
}

// Altocumulus spreading from cumulus needs towers to spread from: it brings its own when the
// low level has none, and takes the storm's when there is one.
TEST(ComposeSky, AltocumulusFromCumulusSpreadsFromTowers) {
    SkyPhoto photo = plainPhoto();
    photo.middle = MiddleCloud::AcFromCumulus;
    for (const LowCloud low : {LowCloud::None, LowCloud::CbCapillatus}) {
        photo.low = low;
        int towers = 0;
        for (const Heap& heap : composeSky(photo).heaps) {
            towers += heapLook(heap.form).tower ? 1 : 0;
        }
        EXPECT_GT(towers, 0) << "low form " << static_cast<int>(low);
    }
}

QImage paintOneHeap(HeapForm form) {
    const Perspective view(200.0, 200.0, 300.0, 2.0);
    const Daylight light = daylight(TimeOfDay::Afternoon, 140.0, 40.0);
    QImage image(400, 250, QImage::Format_RGB32);
    paintClearSky(image, view, light);
    Heap heap;
    heap.form = form;
    heap.distance = 6000.0;
    heap.base = 1200.0;
    heap.width = 2500.0;
    heap.height = 1500.0;
    heap.anvil = 1.5;
    heap.seed = 77;
    paintHeaps(image, view, light, {heap}, nullptr);
    return image;
}

TEST(HeapLooks, EachFormFindsItsRowAndPaintsACloudOfItsOwn) {
    const QImage clear = [] {
        const Perspective view(200.0, 200.0, 300.0, 2.0);
        QImage image(400, 250, QImage::Format_RGB32);
        paintClearSky(image, view, daylight(TimeOfDay::Afternoon, 140.0, 40.0));
        return image;
    }();
    std::vector<std::pair<int, QImage>> painted;
    for (const HeapLook& look : heapLooks()) {
        const int form = static_cast<int>(look.form);
        EXPECT_EQ(&heapLook(look.form), &look) << "form " << form;
        const QImage image = paintOneHeap(look.form);
        EXPECT_FALSE(image == clear) << "form " << form << " paints nothing";
        for (const auto& [other, otherImage] : painted) {
            EXPECT_FALSE(image == otherImage) << "forms " << other << " and " << form;
        }
        painted.emplace_back(form, image);
    }
}

// Ragged shreds may overlap one another, so none of those a scatter draws is dropped.
TEST(HeapLooks, ShredsAreAllKeptThoughTheyOverlap) {
    SkyPhoto photo = plainPhoto();
    photo.low = LowCloud::BadWeatherFractus;
    photo.camera = Camera::Normal;
    const SkyScene scene = composeSky(photo);
    int shreds = 0;
    for (const Heap& heap : scene.heaps) {
        shreds += heapLook(heap.form).shreds ? 1 : 0;
    }
    EXPECT_GE(shreds, 8);
}

}  // namespace
}  // namespace nimbara
