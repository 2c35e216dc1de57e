// The look of every heap cloud form, one row each: how its body is built from spheres, how soft
// and ragged its outline is, how fine its billows are, and what else belongs to the form (fibres
// in its top, an anvil, trails of falling ice). The painters and the sky composer learn about a
// form only from its row.
#pragma once

#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/sky/heapclouds.h"
#include "tools/samplephotos/sky/heapshape.h"

#include <span>

namespace nimbara {

// Whether the spread, fibrous top of a cumulonimbus is drawn.
enum class AnvilTop {
    None,
    WhenReaching,  // when the heap's anvil reaches out beyond the tower
    Always,        // the anvil alone, left without its tower
};

struct HeapLook {
    HeapForm form;
    // The spheres of the body in metres, from the heap's size and the heap's own random numbers;
    // null for a form that has no solid body.
    Puffs (*build)(const Heap& heap, Random& random);
    double edgeSoftness;  // width of the fade at the outline, as a share of a sphere
    double erosion;       // how much noise eats into the outline
    bool flatBase;
    double grain;             // billows, as a share of the cloud's width
    bool shreds = false;      // torn by noise, flat in tone, without solid relief
    double topFibres = 0.0;   // 0 none .. 1: fibres in the upper part, as of glaciating tops
    double stormTower = 0.0;  // 1 for cumulonimbus: lit higher up, darker under its wide base
    AnvilTop anvil = AnvilTop::None;
    bool virga = false;  // trails of falling ice under the tufts
    bool tower = false;  // a cumulus tower whose top other clouds spread from
};

// The row of form.
const HeapLook& heapLook(HeapForm form);
// Every row, in the order of the forms.
std::span<const HeapLook> heapLooks();

}  // namespace nimbara
