#pragma once
// Checksums of the main window's pixels in the scenes of
// pixel_scenes_win_test.cpp, in their order, taken from the program as it
// was before its paints were cached (the 32-bit build under Wine 8).
#include <cstdint>

namespace qb {

struct PixelSceneSum {
    const char* scene;
    std::uint64_t sum;
};

inline constexpr PixelSceneSum kPixelBaseline[] = {
    {"start 1024 x 768", 0x3307cbfb8f2e8facull},
    {"two selected", 0x5e4a5c2aa4b4084full},
    {"drag move 1", 0x8cbf6a1b253c8239ull},
    {"drag move 2", 0x14ce60a852a7660full},
    {"drag move 3", 0x84fbe74c1acc9baaull},
    {"drag move 4", 0x1fafec88dbd9040dull},
    {"drag move 5", 0x1a0a67f7708e3388ull},
    {"drag move 6", 0xaa040a7e020695fdull},
    {"drag move 7", 0x06daeb27c69b0cd7ull},
    {"drag released", 0x1a0a67f7708e3388ull},
    {"grid drag move 1", 0x6526b7c337389e8dull},
    {"grid drag move 2", 0x7ae61b41b13dd36cull},
    {"grid drag move 3", 0x91c743da14b217a5ull},
    {"grid drag move 4", 0x52c1cd680de6de41ull},
    {"grid drag move 5", 0x5c72d05d6d14fe96ull},
    {"grid drag move 6", 0x61cc58b653e8c7a5ull},
    {"grid drag move 7", 0x69fba3c72f144192ull},
    {"grid drag released", 0x50b528df83098f21ull},
    {"panel, balloon and countdown", 0x584618b72b810ff4ull},
    {"countdown repainted alone", 0xf65d51a143754710ull},
    {"footer repainted alone", 0xe203b959c51f18caull},
    {"balloon closed", 0xdc0ec29e5efdf96aull},
    {"plain colour, double font", 0xfa3e5ce762d6b6f5ull},
    {"400 x 300", 0x95b44f9cae7f4e8aull},
    {"links changed", 0x6545f49792d53595ull},
    {"picture moved to another link", 0x78944632de495ec8ull},
};

}  // namespace qb
