// The colour chooser's fixed palette and its hit test. Pure.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tessel::colourdialog {

constexpr int kSwatches = 20;
constexpr std::uint32_t kPaleGreen = 0x00C0DCC0;   // entry 19, set at every opening

// Entries 0..15 as 0x00BBGGRR; 16..18 follow the system colours, 19 is kPaleGreen.
constexpr std::array<std::uint32_t, 16> kStandardColours = {
    0x00000000, 0x00000080, 0x00008000, 0x00008080, 0x00800000, 0x00800080, 0x00808000, 0x00808080,
    0x00C0C0C0, 0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF0000, 0x00FF00FF, 0x00FFFF00, 0x00FFFFFF,
};

struct Box {
    long left, top, right, bottom;   // right and bottom lie outside
};

// The swatch under a point: every swatch is tried in order and the last one
// that holds the point counts; none when the point lies outside them all.
std::optional<int> hitSwatch(long x, long y, const std::array<Box, kSwatches>& swatches);

}  // namespace tessel::colourdialog
