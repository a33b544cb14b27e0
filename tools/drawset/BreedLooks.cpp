// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BreedLooks.h"

#include <BreedCatalogue.h>
#include <array>
#include <stdexcept>

namespace tarvelo::drawset {

namespace {

QColor alpha(QColor colour, int a) {
    colour.setAlpha(a);
    return colour;
}

// A white-headed, white-legged red-and-white cow, the Simmental family.
BreedLook simmentalFamily(QColor red) {
    BreedLook look;
    look.coat.base = QColor(0xF4F0E6);
    look.coat.patch = red;
    look.coat.whiteBelly = true;
    look.coat.whiteLegs = true;
    look.coat.hoof = QColor(0xB8A58C);
    look.coat.tailSwitch = QColor(0xF4F0E6);
    look.head.face = QColor(0xF4F0E6);
    look.head.ear = red;
    look.head.muzzle = QColor(0xE3B2A2);
    look.horns.shape = HornShape::Short;
    return look;
}

// A black-and-white or red-and-white patched dairy cow.
BreedLook holsteinType(QColor patch) {
    BreedLook look;
    look.coat.base = QColor(0xF7F6F2);
    look.coat.white = QColor(0xF7F6F2);
    look.coat.patch = patch;
    look.coat.patches = {{-0.12, 0.3, 0.18},
                         {0.3, 0.26, 0.15},
                         {0.56, 0.58, 0.1},
                         {0.86, 0.3, 0.16},
                         {0.12, 0.75, 0.08}};
    look.coat.whiteLegs = true;
    look.coat.tailSwitch = QColor(0xF7F6F2);
    look.coat.hoof = QColor(0x6A6058);
    look.coat.udder = QColor(0xEFBCB0);
    look.head.face = patch;
    look.head.blaze = QColor(0xF7F6F2);
    look.head.muzzle = QColor(0xE2A9A0);
    look.build = {1.05, 0.92, 1.12, 0.0, 1.04, 1.0, true};
    return look;
}

BreedLook charolais() {
    BreedLook look;
    look.coat.base = QColor(0xEFE6CD);
    look.coat.under = QColor(0xF6F0E0);
    look.coat.hoof = QColor(0xC2AE92);
    look.head.muzzle = QColor(0xE4B2A2);
    look.horns = {HornShape::Short, 1.1, QColor(0xF1EAD6), QColor(0xD9CBA8)};
    look.build = {1.06, 1.06, 0.96, 1.35, 1.0, 0.25, false};
    return look;
}

BreedLook salers() {
    BreedLook look;
    look.coat.base = QColor(0x6E1F12);
    look.coat.hoof = QColor(0x4A3A30);
    look.head.muzzle = QColor(0xC8907E);
    look.horns = {HornShape::Lyre, 1.15, QColor(0xEDE4CC), QColor(0x6B5A44)};
    look.build = {1.04, 0.98, 1.08, 0.9, 1.0, 0.3, false};
    return look;
}

BreedLook blonde() {
    BreedLook look;
    look.coat.base = QColor(0xDDB872);
    look.coat.under = QColor(0xF0DDB2);
    look.coat.hoof = QColor(0xB89F7C);
    look.head.eyeRing = QColor(0xF1E0BA);
    look.head.muzzleRing = QColor(0xF1E0BA);
    look.head.muzzle = QColor(0xDDA98F);
    look.head.length = 1.08;
    look.horns = {HornShape::Short, 1.05, QColor(0xF1E8D2), QColor(0xC9A978)};
    look.build = {1.22, 0.94, 1.06, 1.4, 1.0, 0.25, false};
    return look;
}

BreedLook masnySimental() {
    BreedLook look = simmentalFamily(QColor(0xB0561F));
    // The beef type: mostly red with a white head, hornless, heavily muscled.
    look.coat.base = QColor(0xB0561F);
    look.coat.patch = QColor(0xF4F0E6);
    look.coat.patches = {{0.62, 0.72, 0.07}};
    look.coat.tailSwitch = QColor(0xF4F0E6);
    look.horns.shape = HornShape::Polled;
    look.build = {1.08, 1.06, 0.96, 1.4, 1.02, 0.25, false};
    return look;
}

BreedLook hereford() {
    BreedLook look;
    look.coat.base = QColor(0x8C2C15);
    look.coat.whiteBelly = true;
    look.coat.whiteLegs = true;
    look.coat.whiteCrest = true;
    look.coat.whiteBrisket = true;
    look.coat.tailSwitch = QColor(0xF5F2EA);
    look.coat.hoof = QColor(0xB09A80);
    look.head.face = QColor(0xF5F2EA);
    look.head.ear = QColor(0x8C2C15);
    look.head.muzzle = QColor(0xE8B3A3);
    look.horns = {HornShape::CurvedDown, 1.0, QColor(0xEDE4CC), QColor(0xC8B48C)};
    look.build = {1.0, 1.08, 0.86, 1.25, 0.98, 0.25, false};
    return look;
}

BreedLook belgianBlue() {
    BreedLook look;
    look.coat.base = QColor(0xF1F1EC);
    look.coat.patch = QColor(0x5F7285);
    look.coat.roanPatches = true;
    look.coat.patches = {{-0.1, 0.3, 0.2}, {0.15, 0.3, 0.16}, {0.5, 0.22, 0.14}, {0.86, 0.35, 0.2}};
    look.coat.whiteBelly = true;
    look.coat.whiteLegs = true;
    look.coat.hoof = QColor(0x7A6E64);
    look.coat.tailSwitch = QColor(0x5F7285);
    look.head.face = QColor(0x7D8B99);
    look.head.roan = true;
    look.head.ear = QColor(0x5F7285);
    look.head.muzzle = QColor(0x9A8A88);
    look.horns = {HornShape::Short, 0.6, QColor(0xEDE6D6), QColor(0xB8A98E)};
    look.build = {1.06, 1.02, 0.92, 2.3, 1.0, 0.2, false};
    return look;
}

BreedLook angus() {
    BreedLook look;
    look.coat.base = QColor(0x171615);
    look.coat.hoof = QColor(0x1E1B19);
    look.coat.udder = QColor(0x3A3533);
    look.head.muzzle = QColor(0x2A2726);
    look.horns.shape = HornShape::Polled;
    look.build = {1.0, 1.08, 0.86, 1.3, 0.97, 0.2, false};
    return look;
}

BreedLook gasconne() {
    BreedLook look;
    look.coat.base = QColor(0xB7B4AC);
    look.coat.frontShade = alpha(QColor(0x4E4B47), 170);
    look.coat.tailSwitch = QColor(0x1A1A1A);
    look.coat.hoof = QColor(0x222020);
    look.coat.udder = QColor(0x5E5855);
    look.head.face = QColor(0x9E9A93);
    look.head.muzzle = QColor(0x242222);
    look.head.eyeRing = QColor(0x2C2A28);
    look.head.earRim = QColor(0x1C1B1A);
    look.horns = {HornShape::Lyre, 0.85, QColor(0xE6DFCF), QColor(0x1E1C1A)};
    look.build = {1.04, 1.0, 1.04, 1.05, 1.0, 0.25, false};
    return look;
}

BreedLook piemontese() {
    BreedLook look;
    look.coat.base = QColor(0xEAE8E2);
    look.coat.frontShade = alpha(QColor(0xA6A39C), 150);
    look.coat.tailSwitch = QColor(0x1A1A1A);
    look.coat.hoof = QColor(0x222020);
    look.coat.udder = QColor(0x6E6866);
    look.head.muzzle = QColor(0x232121);
    look.head.eyeRing = QColor(0x2A2827);
    look.head.earRim = QColor(0x1C1B1A);
    look.horns = {HornShape::Short, 0.9, QColor(0xE8E0CC), QColor(0x1E1C1A)};
    look.build = {1.04, 1.0, 0.98, 2.1, 1.0, 0.2, false};
    return look;
}

BreedLook limousin() {
    BreedLook look;
    look.coat.base = QColor(0xB7612A);
    look.coat.under = QColor(0xDDA468);
    look.coat.hoof = QColor(0x9E8468);
    look.head.eyeRing = QColor(0xE7B680);
    look.head.muzzleRing = QColor(0xE9C293);
    look.head.muzzle = QColor(0xD7A088);
    look.horns = {HornShape::CurvedDown, 0.8, QColor(0xEEE4CC), QColor(0xC9B48C)};
    look.build = {1.12, 1.0, 1.0, 1.5, 1.0, 0.25, false};
    return look;
}

BreedLook highland() {
    BreedLook look;
    look.coat.base = QColor(0xC0702E);
    look.coat.texture = CoatTexture::LongShaggy;
    look.coat.hoof = QColor(0x3E332A);
    look.head.muzzle = QColor(0x4A3A32);
    look.head.ear = QColor(0xB0652A);
    look.horns = {HornShape::Upswept, 1.0, QColor(0xEDE3CB), QColor(0x4A3C2C)};
    look.build = {0.98, 1.02, 0.8, 1.0, 0.9, 0.0, false};
    return look;
}

BreedLook galloway() {
    BreedLook look;
    look.coat.base = QColor(0x1D1A17);
    look.coat.texture = CoatTexture::Curly;
    look.coat.hoof = QColor(0x1E1B19);
    look.coat.udder = QColor(0x3A3533);
    look.head.muzzle = QColor(0x2A2726);
    look.head.fuzzyEars = true;
    look.head.earSize = 1.1;
    look.horns.shape = HornShape::Polled;
    look.build = {0.96, 1.05, 0.84, 1.1, 0.94, 0.2, false};
    return look;
}

BreedLook ceskyStrakaty() {
    BreedLook look = simmentalFamily(QColor(0xB0581E));
    look.coat.patches = {{-0.1, 0.3, 0.16},
                         {0.25, 0.25, 0.2},
                         {0.55, 0.3, 0.16},
                         {0.85, 0.35, 0.2},
                         {0.4, 0.6, 0.1}};
    look.head.eyePatch = QColor(0xB0581E);
    look.build = {1.04, 1.0, 1.0, 0.8, 1.0, 0.65, false};
    return look;
}

BreedLook montbeliarde() {
    BreedLook look = simmentalFamily(QColor(0x9A2F16));
    look.coat.patches = {
        {-0.12, 0.28, 0.15}, {0.3, 0.3, 0.22}, {0.75, 0.35, 0.2}, {0.95, 0.25, 0.1}};
    look.head.muzzle = QColor(0xEAB9AB);
    look.horns.length = 0.85;
    look.build = {1.06, 0.94, 1.08, 0.3, 1.0, 0.95, true};
    return look;
}

BreedLook jersey() {
    BreedLook look;
    look.coat.base = QColor(0xA8733F);
    look.coat.under = QColor(0xC69A66);
    look.coat.frontShade = alpha(QColor(0x4E3220), 150);
    look.coat.rearShade = alpha(QColor(0x4E3220), 130);
    look.coat.tailSwitch = QColor(0x1E1814);
    look.coat.hoof = QColor(0x2A221C);
    look.coat.udder = QColor(0xD9A58E);
    look.head.face = QColor(0x8C5C33);
    look.head.shade = QColor(0x3E2616);
    look.head.eyePatch = QColor(0x5A3A22);
    look.head.muzzleRing = QColor(0xEDE3D0);
    look.head.muzzle = QColor(0x1F1A18);
    look.head.eyeSize = 1.45;
    look.head.length = 0.84;
    look.head.earSize = 1.1;
    look.horns = {HornShape::Short, 0.7, QColor(0xE8DFCB), QColor(0x2A2420)};
    look.build = {0.98, 0.94, 1.04, 0.0, 0.8, 0.95, true};
    return look;
}

BreedLook ayrshire() {
    BreedLook look;
    look.coat.base = QColor(0xF6F3EC);
    look.coat.patch = QColor(0x8A3419);
    look.coat.jaggedPatches = true;
    look.coat.patches = {{-0.12, 0.3, 0.16}, {0.2, 0.3, 0.12},  {0.45, 0.28, 0.12},
                         {0.72, 0.32, 0.14}, {0.95, 0.3, 0.09}, {0.35, 0.62, 0.08}};
    look.coat.whiteLegs = true;
    look.coat.whiteBelly = true;
    look.coat.tailSwitch = QColor(0xF6F3EC);
    look.coat.hoof = QColor(0x8E7D6A);
    look.coat.udder = QColor(0xEDB9AC);
    look.head.face = QColor(0xF6F3EC);
    look.head.patchColour = QColor(0x8A3419);
    look.head.patches = {{0.32, 0.3, 0.24}, {-0.32, 0.3, 0.24}};
    look.head.ear = QColor(0x8A3419);
    look.head.muzzle = QColor(0xE6AFA2);
    look.horns = {HornShape::Lyre, 0.95, QColor(0xF0E8D4), QColor(0x5A4A38)};
    look.build = {1.0, 0.92, 1.06, 0.1, 0.95, 0.95, true};
    return look;
}

BreedLook brownSwiss() {
    BreedLook look;
    look.coat.base = QColor(0x8A7A6A);
    look.coat.under = QColor(0xB3A696);
    look.coat.frontShade = alpha(QColor(0x4F443A), 90);
    look.coat.tailSwitch = QColor(0x2A2420);
    look.coat.hoof = QColor(0x2A2420);
    look.coat.udder = QColor(0x9C8478);
    look.head.face = QColor(0x7C6E60);
    look.head.muzzleRing = QColor(0xEAE4D8);
    look.head.muzzle = QColor(0x2A2A2E);
    look.head.fuzzyEars = true;
    look.head.earSize = 1.45;
    look.horns = {HornShape::Short, 0.75, QColor(0xE6DFCD), QColor(0x2A2420)};
    look.build = {1.08, 1.0, 1.08, 0.4, 1.04, 0.9, true};
    return look;
}

} // namespace

BreedLook breedLook(int index) {
    // In the catalogue's order; the two Holsteins differ in colour only.
    const std::array<BreedLook (*)(), breedCount> looks{
        charolais,
        salers,
        blonde,
        masnySimental,
        hereford,
        belgianBlue,
        angus,
        gasconne,
        piemontese,
        limousin,
        highland,
        galloway,
        ceskyStrakaty,
        montbeliarde,
        [] { return holsteinType(QColor(0x151515)); },
        [] { return holsteinType(QColor(0x9C2A1A)); },
        jersey,
        ayrshire,
        brownSwiss,
    };
    if (index < 0 || index >= breedCount) {
        throw std::out_of_range("breed index outside 0.." + std::to_string(breedCount - 1));
    }
    BreedLook look = looks[static_cast<std::size_t>(index)]();
    look.seed = 7919u * static_cast<std::uint32_t>(index + 1);
    return look;
}

} // namespace tarvelo::drawset
