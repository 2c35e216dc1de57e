#include "tools/samplephotos/sea/seaphotographer.h"

namespace nimbara {

namespace {

const SeaPhotographer kPhotographers[] = {
    // A weather ship's rail in the North Atlantic, grey-green water under broken cloud.
    {.game = "seastate-UK",
     .seed = 1101,
     .camera = {14.0, 82.0, 430.0},
     .heading = 30.0,
     .light = {QColor(92, 110, 130),
               QColor(196, 204, 210),
               CloudLayer{QColor(226, 228, 230), QColor(140, 148, 158), 0.6, 0.45},
               {},
               {}},
     .water = {QColor(16, 40, 44), QColor(40, 108, 98), QColor(236, 240, 240),
               QColor(200, 206, 210), 15000.0},
     .ownShip = {Foreground::Rail,
                 QPointF(0.0, 214.0),
                 {QColor(236, 236, 232), QColor(150, 152, 150), QColor(90, 60, 50)}},
     .ship = DistantShip{-170.0, 1300.0, 70.0}},
    // Low over the North Sea from a research cutter's deck, fair-weather cumulus.
    {.game = "seastate-GE",
     .seed = 1202,
     .camera = {7.0, 112.0, 470.0},
     .heading = 200.0,
     .light = {QColor(66, 118, 186),
               QColor(200, 218, 232),
               CloudLayer{QColor(250, 250, 250), QColor(170, 180, 196), 0.35, 0.3},
               {},
               {}},
     .water = {QColor(22, 46, 50), QColor(58, 126, 108), QColor(248, 250, 250),
               QColor(210, 222, 232), 25000.0},
     .ownShip = {Foreground::None, {}, {}},
     .ship = DistantShip{240.0, 1700.0, 60.0}},
    // From a high bridge on the Pacific, clear sky and navy water, the bow below.
    {.game = "seastate-CA",
     .seed = 1303,
     .camera = {22.0, 70.0, 400.0},
     .heading = 160.0,
     .light = {QColor(48, 98, 170),
               QColor(190, 210, 228),
               CloudLayer{QColor(248, 250, 252), QColor(190, 200, 214), 0.15, 0.4},
               {},
               {}},
     .water = {QColor(10, 28, 58), QColor(30, 88, 128), QColor(250, 252, 255),
               QColor(205, 218, 232), 30000.0},
     .ownShip = {Foreground::Bow,
                 QPointF(206.0, 186.0),
                 {QColor(226, 228, 226), QColor(118, 124, 128), QColor(126, 58, 44)}},
     .ship = std::nullopt},
    // Evening from a fishing boat's rail, the sun low to the left.
    {.game = "seastate-CAN",
     .seed = 1404,
     .camera = {7.0, 112.0, 430.0},
     .heading = -40.0,
     .light = {QColor(78, 98, 148), QColor(240, 200, 160),
               CloudLayer{QColor(252, 222, 190), QColor(130, 116, 128), 0.3, 0.35},
               QPointF(80.0, 92.0), QColor(255, 226, 180)},
     .water = {QColor(20, 30, 50), QColor(64, 90, 100), QColor(250, 236, 220),
               QColor(236, 210, 180), 18000.0},
     .ownShip = {Foreground::Rail,
                 QPointF(0.0, 226.0),
                 {QColor(70, 86, 110), QColor(34, 42, 58), QColor(60, 50, 40)}},
     .ship = DistantShip{110.0, 900.0, 45.0}},
    // Labrador Sea from a platform, low overcast and slate water.
    {.game = "seastate-CANA",
     .seed = 1505,
     .camera = {17.0, 92.0, 430.0},
     .heading = 20.0,
     .light = {QColor(118, 126, 136),
               QColor(190, 196, 200),
               CloudLayer{QColor(196, 200, 204), QColor(126, 132, 140), 0.85, 0.55},
               {},
               {}},
     .water = {QColor(20, 34, 40), QColor(50, 88, 94), QColor(228, 234, 236), QColor(190, 196, 200),
               9000.0},
     .ownShip = {Foreground::None, {}, {}},
     .ship = std::nullopt},
    // Tropical trade-wind sea from a cargo ship's bridge, the bow off to the left.
    {.game = "seastate-ORVA",
     .seed = 1606,
     .camera = {10.0, 98.0, 420.0},
     .heading = 120.0,
     .light = {QColor(40, 108, 200), QColor(180, 210, 235),
               CloudLayer{QColor(255, 255, 255), QColor(176, 190, 210), 0.25, 0.25},
               QPointF(330.0, 20.0), QColor(255, 252, 236)},
     .water = {QColor(8, 40, 90), QColor(20, 118, 150), QColor(255, 255, 255),
               QColor(200, 220, 240), 30000.0},
     .ownShip = {Foreground::Bow,
                 QPointF(120.0, 204.0),
                 {QColor(238, 238, 232), QColor(140, 140, 136), QColor(56, 84, 70)}},
     .ship = DistantShip{-40.0, 2600.0, 120.0}},
};

}  // namespace

const SeaPhotographer* seaPhotographerOf(std::string_view game) {
    for (const SeaPhotographer& photographer : kPhotographers) {
        if (game == photographer.game) {
            return &photographer;
        }
    }
    return nullptr;
}

}  // namespace nimbara
