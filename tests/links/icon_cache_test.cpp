// The cache of link pictures: keys that change with whatever decides a
// picture, equal pictures kept once, and a file read back exactly or
// not at all.
#include "links/icon_cache.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

PicturePixels picture(std::uint8_t seed) {
    PicturePixels pixels(kCachedPictureBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7 + seed);
    return pixels;
}

TEST(IconCache, KeysChangeWithWhatDecidesThePictureAndWithNothingElse) {
    const std::string machine = machine_key("DESK", "guid-1", "10.0.19045", 32, 32);
    const FileTypeFacts txt{{"%SystemRoot%\\system32\\imageres.dll,-102"}, false, false};
    const FileTypeFacts exe{{"%1"}, false, false};
    const std::string exe_key = type_picture_key(machine, ".exe", exe);
    const FileStamp tool{stamp_path("E:\\Apps\\Tool.exe", "E:\\"), 500000, 133000000000000000ull, 0x20};
    const FileStamp folder{stamp_path("E:\\Docs", "E:\\"), 0, 0, 0x10};
    const FileStamp ini{"docs\\desktop.ini", 40, 7, 0x06};

    const std::string base_type = type_picture_key(machine, ".txt", txt);
    const std::string base_file = file_picture_key(exe_key, tool);
    const std::string base_folder = folder_picture_key(machine, folder, std::nullopt);

    struct Case {
        const char* what;
        std::string key;
        std::string base;
        bool same;
    };
    FileStamp bigger = tool;
    bigger.size += 1;
    FileStamp later = tool;
    later.write_time += 1;
    FileStamp moved = tool;
    moved.path = stamp_path("E:\\Apps\\Other.exe", "E:\\");
    FileStamp customised = folder;
    customised.attributes |= 0x01;
    FileStamp ini_later = ini;
    ini_later.write_time += 1;
    FileStamp ini_bigger = ini;
    ini_bigger.size += 1;
    const std::string ini_folder = folder_picture_key(machine, folder, ini);
    const std::string screen = screen_key(32, 32);
    const std::string base_own = own_icon_picture_key(screen, tool);
    const Case cases[] = {
        {"the same type on the same machine", type_picture_key(machine, ".TXT", txt), base_type, true},
        {"another association", type_picture_key(machine, ".txt", {{"C:\\Editor\\ed.exe,0"}, false, false}),
         base_type, false},
        {"an icon handler added", type_picture_key(machine, ".txt", {txt.default_icons, true, false}), base_type,
         false},
        {"one icon value more", type_picture_key(machine, ".txt", {{txt.default_icons[0], "x.dll,1"}, false, false}),
         base_type, false},
        {"another type", type_picture_key(machine, ".ini", txt), base_type, false},
        {"another PC", type_picture_key(machine_key("LAPTOP", "guid-2", "10.0.19045", 32, 32), ".txt", txt), base_type,
         false},
        {"another screen depth", type_picture_key(machine_key("DESK", "guid-1", "10.0.19045", 16, 32), ".txt", txt),
         base_type, false},
        {"another icon size", type_picture_key(machine_key("DESK", "guid-1", "10.0.19045", 32, 48), ".txt", txt),
         base_type, false},
        {"another system version", type_picture_key(machine_key("DESK", "guid-1", "6.1.7601", 32, 32), ".txt", txt),
         base_type, false},
        {"the program under another letter and case",
         file_picture_key(exe_key, {stamp_path("f:\\apps\\tool.EXE", "F:\\"), tool.size, tool.write_time, 0x20}),
         base_file, true},
        {"the program grown", file_picture_key(exe_key, bigger), base_file, false},
        {"the program written again", file_picture_key(exe_key, later), base_file, false},
        {"another program", file_picture_key(exe_key, moved), base_file, false},
        {"programs registered otherwise", file_picture_key(type_picture_key(machine, ".exe", txt), tool), base_file,
         false},
        {"the folder again", folder_picture_key(machine, folder, std::nullopt), base_folder, true},
        {"a customised folder", folder_picture_key(machine, customised, std::nullopt), base_folder, false},
        {"a folder with a desktop.ini", folder_picture_key(machine, folder, ini), base_folder, false},
        {"its desktop.ini written again", folder_picture_key(machine, folder, ini_later), ini_folder, false},
        {"its desktop.ini grown", folder_picture_key(machine, folder, ini_bigger), ini_folder, false},
        {"a program's own icon under another letter",
         own_icon_picture_key(screen, {stamp_path("F:\\APPS\\tool.exe", "F:\\"), tool.size, tool.write_time, 0x20}),
         base_own, true},
        {"its own icon on a deeper screen", own_icon_picture_key(screen_key(16, 32), tool), base_own, false},
        {"its own icon at another icon size", own_icon_picture_key(screen_key(32, 48), tool), base_own, false},
        {"its own icon, the program updated", own_icon_picture_key(screen, later), base_own, false},
        {"its own icon, the program grown", own_icon_picture_key(screen, bigger), base_own, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.key == c.base, c.same) << c.what;
    EXPECT_EQ(stamp_path("G:\\Apps\\Tool.exe", "E:\\"), "g:\\apps\\tool.exe") << "another drive stays full";
    // A field's length leads it: two fields never read as one.
    EXPECT_NE(type_picture_key(machine, ".a", {{"b", "c"}, false, false}),
              type_picture_key(machine, ".a", {{"b1:c"}, false, false}));
}

TEST(IconCache, EqualPicturesAreKeptOnceAndTheFileReadsBackTheSame) {
    IconCache cache;
    EXPECT_TRUE(cache.put("type .txt", picture(1)));
    EXPECT_TRUE(cache.put("type .ini", picture(2)));
    EXPECT_TRUE(cache.put("type .log", picture(1)));
    EXPECT_TRUE(cache.put("file a.exe", picture(3)));
    EXPECT_EQ(cache.picture_count(), 3u);
    EXPECT_EQ(*cache.find("type .log"), picture(1));
    EXPECT_EQ(cache.find("type .csv"), nullptr);
    EXPECT_TRUE(cache.put("file a.exe", picture(4))) << "a new picture replaces the old";
    EXPECT_EQ(*cache.find("file a.exe"), picture(4));

    EXPECT_FALSE(cache.put("", picture(5)));
    EXPECT_FALSE(cache.put(std::string(kMaxCacheKey + 1, 'k'), picture(5)));
    EXPECT_FALSE(cache.put("short", PicturePixels(kCachedPictureBytes - 1)));
    EXPECT_EQ(cache.entry_count(), 4u);

    const std::vector<std::uint8_t> bytes = cache.encode();
    EXPECT_EQ(bytes.size(), kIconCacheHeaderBytes + 3 * kCachedPictureBytes + kIconCacheChecksumBytes +
                                (2 + 10 + 4) + (2 + 9 + 4) * 3)
        << "the replaced picture is not written";
    const std::optional<IconCache> back = IconCache::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->same_as(cache));
    EXPECT_EQ(back->picture_count(), 3u);
    EXPECT_EQ(back->encode(), bytes);
    EXPECT_TRUE(IconCache::decode(IconCache().encode())->empty());

    IconCache other = *back;
    other.put("type .txt", picture(9));
    EXPECT_FALSE(other.same_as(cache));
}

TEST(IconCache, AnyFileThatIsNotAWholeCacheIsRefused) {
    IconCache cache;
    cache.put("type .txt", picture(1));
    cache.put("file a.exe", picture(2));
    const std::vector<std::uint8_t> good = cache.encode();
    ASSERT_TRUE(IconCache::decode(good));

    // Rewrites the checksum, so that only the named fault is left.
    auto resealed = [](std::vector<std::uint8_t> bytes) {
        bytes.erase(bytes.end() - 4, bytes.end());
        const std::uint32_t hash = icon_cache_checksum(bytes);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(hash >> shift));
        return bytes;
    };
    auto with = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] = value;
        return resealed(bytes);
    };
    const std::size_t entries_at = kIconCacheHeaderBytes + 2 * kCachedPictureBytes;
    std::vector<std::uint8_t> extra = good;
    extra.insert(extra.end() - 4, 0);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"truncated", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
        {"only the header", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)},
        {"a flipped pixel", [&] {
             std::vector<std::uint8_t> bytes = good;
             bytes[kIconCacheHeaderBytes + 100] ^= 1;
             return bytes;
         }()},
        {"another file", resealed(std::vector<std::uint8_t>{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                             0, 0, 0, 0})},
        {"another format", with(4, 2)},
        {"more pictures than bytes", with(9, 1)},
        {"a huge picture count", with(11, 0x7F)},
        {"more entries than bytes", with(12, 3)},
        {"a key longer than the file", with(entries_at + 1, 0x7F)},
        {"an empty key", [&] {
             std::vector<std::uint8_t> bytes = good;
             bytes[entries_at] = 0;
             return resealed(bytes);
         }()},
        {"a picture index out of range", with(entries_at + 2 + 10, 2)},
        {"bytes after the last entry", resealed(extra)},
        {"a key twice", [&] {
             IconCache twice;
             twice.put("file a.exe", picture(2));
             std::vector<std::uint8_t> bytes = twice.encode();
             bytes.erase(bytes.end() - 4, bytes.end());
             const std::vector<std::uint8_t> entry(bytes.end() - (2 + 10 + 4), bytes.end());
             bytes.insert(bytes.end(), entry.begin(), entry.end());
             bytes[12] = 2;
             bytes.insert(bytes.end(), 4, 0);
             return resealed(bytes);
         }()},
    };
    for (const Case& c : cases) EXPECT_FALSE(IconCache::decode(c.bytes)) << c.what;
}

TEST(IconCache, ANewStartKeepsOtherMachinesEntriesAfterItsOwnAndDropsItsUnused) {
    const std::string desk = machine_key("DESK", "guid-1", "10.0", 32, 32);
    const std::string laptop = machine_key("LAPTOP", "guid-2", "6.1", 32, 32);
    auto type_key = [](const std::string& machine, const char* type) { return type_picture_key(machine, type, {}); };
    const FileStamp tool{"apps\\tool.exe", 5, 6, 0x20};
    const FileStamp folder{"docs", 0, 0, 0x10};
    // Each kind of key tells its machine; anything else tells none.
    EXPECT_EQ(owner_of_key(type_key(desk, ".txt")), std::optional<std::string_view>(desk));
    EXPECT_EQ(owner_of_key(file_picture_key(type_key(laptop, ".exe"), tool)), std::optional<std::string_view>(laptop));
    EXPECT_EQ(owner_of_key(folder_picture_key(type_key(desk, "Folder"), folder, std::nullopt)),
              std::optional<std::string_view>(desk));
    for (const char* broken : {"", "type", "type99:x", "typex:", "file3:abc", "other5:DESK."}) {
        EXPECT_EQ(owner_of_key(broken), std::nullopt) << broken;
    }
    EXPECT_EQ(owner_of_key(own_icon_picture_key(screen_key(32, 32), tool)),
              std::optional<std::string_view>(screen_key(32, 32)))
        << "a program's own icon: the screen's";

    const std::vector<std::uint8_t> red(kCachedPictureBytes, 1);
    const std::vector<std::uint8_t> blue(kCachedPictureBytes, 2);
    IconCache read;
    const std::string laptop_old = type_key(laptop, ".ini");
    const std::string desk_used = type_key(desk, ".txt");
    const std::string desk_gone = type_key(desk, ".doc");
    const std::string laptop_txt = type_key(laptop, ".txt");
    const std::string screen = screen_key(32, 32);
    const std::string own_gone = own_icon_picture_key(screen, tool);
    const std::string own_deeper = own_icon_picture_key(screen_key(24, 32), tool);
    for (const std::string& key : {laptop_txt, desk_used, desk_gone, own_gone, own_deeper, laptop_old}) {
        ASSERT_TRUE(read.put(key, red));
    }
    // The order survives the file.
    const std::optional<IconCache> reread = IconCache::decode(read.encode());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->keys(), read.keys());

    IconCache looked_up;
    const std::string desk_new = type_key(desk, ".csv");
    ASSERT_TRUE(looked_up.put(desk_new, blue));
    const std::optional<IconCache> next = next_icon_cache(reread, false, looked_up, {desk_used}, desk, screen);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->keys(), (std::vector<std::string_view>{desk_new, desk_used, laptop_txt, own_deeper, laptop_old}))
        << "this start's first, other machines' and screens' in their old order, this one's unused gone";
    EXPECT_EQ(*next->find(laptop_txt), red);

    // Nothing looked up and all of this machine's used: nothing to write,
    // however many other machines' entries wait. One unused: written.
    EXPECT_FALSE(next_icon_cache(next, false, {}, {desk_new, desk_used}, desk, screen));
    EXPECT_TRUE(next_icon_cache(next, false, {}, {desk_new}, desk, screen));
    EXPECT_TRUE(next_icon_cache(next, true, {}, {desk_new, desk_used}, desk, screen)) << "a refused file is replaced";

    // A full cache: the least recently used of the others go first.
    IconCache full;
    for (std::size_t i = 0; i < kMaxCacheEntries; ++i) {
        ASSERT_TRUE(full.put(type_key(laptop, ("." + std::to_string(i)).c_str()), red));
    }
    const std::optional<IconCache> crowded = next_icon_cache(full, false, looked_up, {}, desk, screen);
    ASSERT_TRUE(crowded);
    EXPECT_EQ(crowded->entry_count(), kMaxCacheEntries);
    EXPECT_EQ(crowded->keys().front(), desk_new);
    EXPECT_EQ(crowded->find(type_key(laptop, ("." + std::to_string(kMaxCacheEntries - 1)).c_str())), nullptr);
    EXPECT_NE(crowded->find(type_key(laptop, ("." + std::to_string(kMaxCacheEntries - 2)).c_str())), nullptr);
}

}  // namespace
}  // namespace qb
