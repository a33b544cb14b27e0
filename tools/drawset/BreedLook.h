// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <cstdint>
#include <vector>

namespace tarvelo::drawset {

// What a breed looks like, as far as a drawing can tell breeds apart. One cow
// routine draws all of them from these values.

enum class HornShape {
    Polled,     // no horns
    Short,      // short, curving out and up
    Lyre,       // long, out then up with the tips turned out
    Upswept,    // very long and wide, rising at the ends
    CurvedDown, // out, then forward and down beside the face
};

enum class CoatTexture {
    Smooth,
    Curly,      // thick curly winter coat
    LongShaggy, // long hanging hair with a fringe over the eyes
};

// A patch of colour, placed in body coordinates: u runs from the chest (0) to
// the rump (1), v from the back line (0) to the belly (1); radius is a fraction
// of the body length.
struct Patch {
    double u = 0.5;
    double v = 0.5;
    double radius = 0.1;
};

struct Build {
    double length = 1.0;    // body length against an average cow
    double depth = 1.0;     // depth of chest and belly
    double legLength = 1.0; // leg length against an average cow
    double muscling = 1.0;  // 0 lean dairy, 1 beef, 2 double-muscled
    double size = 1.0;      // the whole animal, for small breeds
    double udder = 0.25;    // 0 none, 1 a full dairy udder
    bool angular = false;   // dairy: hip and pin bones show, thin neck
};

struct Horns {
    HornShape shape = HornShape::Polled;
    double length = 1.0;
    QColor base{0xE9DFC7};
    QColor tip{0xB9A98A};
};

struct Head {
    QColor face;     // invalid: the coat colour
    QColor blaze;    // stripe down the face; invalid: none
    QColor eyePatch; // wide patches round the eyes; invalid: none
    QColor eyeRing;  // narrow ring round the eyes; invalid: none
    QColor muzzle{0xD89C8E};
    QColor muzzleRing; // pale hair round the muzzle; invalid: none
    QColor ear;        // invalid: the face colour
    QColor earRim;     // dark ear edges; invalid: none
    double earSize = 1.0;
    bool fuzzyEars = false;
    double eyeSize = 1.0;
    double length = 1.0;        // head length against an average cow
    bool roan = false;          // speckled like the coat's roan patches
    QColor shade;               // darkening towards the sides of the face; invalid: none
    std::vector<Patch> patches; // in head coordinates: u across (-0.5..0.5), v down
    QColor patchColour;
};

struct Coat {
    QColor base;
    QColor patch; // colour of the patches listed below
    std::vector<Patch> patches;
    bool roanPatches = false; // patches speckled with white
    bool jaggedPatches = false;
    QColor white{0xF5F2EA};
    QColor under;      // lighter belly and inner legs; invalid: none
    QColor frontShade; // darker neck and shoulders; invalid: none
    QColor rearShade;  // darker hindquarters; invalid: none
    bool whiteBelly = false;
    bool whiteLegs = false;  // below knees and hocks
    bool whiteCrest = false; // top of the neck
    bool whiteBrisket = false;
    QColor tailSwitch; // invalid: the coat colour
    QColor hoof{0x5A4A3C};
    QColor udder{0xE7B3A6};
    CoatTexture texture = CoatTexture::Smooth;
};

struct BreedLook {
    Coat coat;
    Head head;
    Horns horns;
    Build build;
    std::uint32_t seed = 1; // hair, patch edges and grass
};

} // namespace tarvelo::drawset
