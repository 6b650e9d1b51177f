#pragma once
// Checksums of the main window's pixels in the scenes of
// pixel_scenes_win_test.cpp, in their order, taken from the program as it
// was before its paints were cached (the 32-bit build under Wine 8, in a
// prefix that maps .exe to its class, so programs show their own icons).
#include <cstdint>

namespace qb {

struct PixelSceneSum {
    const char* scene;
    std::uint64_t sum;
};

inline constexpr PixelSceneSum kPixelBaseline[] = {
    {"start 1024 x 768", 0xfde2322d1735e1dbull},
    {"two selected", 0x33ad56a66edb2ab4ull},
    {"drag move 1", 0x8453354f170883aeull},
    {"drag move 2", 0xee03fa2d1d4ae7e1ull},
    {"drag move 3", 0xfe5b2a8fba18dccdull},
    {"drag move 4", 0xa4b620daf403d30aull},
    {"drag move 5", 0xa061545dfef66593ull},
    {"drag move 6", 0x82dbaf5dece5c8faull},
    {"drag move 7", 0xd942ae361115d708ull},
    {"drag released", 0xa061545dfef66593ull},
    {"grid drag move 1", 0x802e921fb1dfa8deull},
    {"grid drag move 2", 0xb4cb67deea80bb27ull},
    {"grid drag move 3", 0xa4703722341b05a8ull},
    {"grid drag move 4", 0xcfd605b7fdf079f1ull},
    {"grid drag move 5", 0x81069e79826c59a1ull},
    {"grid drag move 6", 0x5829f6997811ceeeull},
    {"grid drag move 7", 0x116db0d11f720341ull},
    {"grid drag released", 0x25efa7e8ebfa21b9ull},
    {"panel, balloon and countdown", 0x9477354f1f08a272ull},
    {"countdown repainted alone", 0x0badf91923ad43ceull},
    {"footer repainted alone", 0x556004cd97e2841cull},
    {"balloon closed", 0x3c60ac9fc8477432ull},
    {"plain colour, double font", 0x435fa196b2ada511ull},
    {"400 x 300", 0x0a0aaefb1387857dull},
    {"links changed", 0x7cbad98c8dc7ae8cull},
    {"picture moved to another link", 0xa53c5e04c559a2e9ull},
};

}  // namespace qb
