#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/program_location.h"
#include "links/app_settings.h"
#include "links/link_list.h"
#include "links/settings_codec.h"
#include "links/settings_model.h"

namespace qb {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::pair<int, int> pos_of(const Link& link) { return {link.x, link.y}; }

// The program lives in E:\Quill; each test starts from the built-in settings.
class SettingsTest : public ::testing::Test {
protected:
    void reset_app_settings() {
        app_settings = AppSettings{};
        changes = ChangeFlags{};
        links_loaded = false;
    }

    ProgramLocation location_{"E:\\Quill", "E:\\"};
    AppSettings app_settings;
    ChangeFlags changes;
    bool links_loaded = false;
};

// A 400 x 300 window, \MAINTHEME, one link at (75, 0) to Docs\a.txt on the
// program's drive, options on, on, off, off, on.
const Bytes kExampleFile = {
    0x51, 0x42, 0x31, 0x00, 0x01, 0x90, 0x00, 0x01, 0x2C,                          // magic, size
    0x00, 0x00, 0x0A, 0x5C, 0x4D, 0x41, 0x49, 0x4E, 0x54, 0x48, 0x45, 0x4D, 0x45,  // \MAINTHEME
    0x00, 0x00, 0x01,                                                              // one link
    0x30, 0x30, 0x31, 0x00, 0x00, 0x4B, 0x00, 0x00, 0x00,                          // flags, x, y
    0x00, 0x00, 0x0A, 0x44, 0x6F, 0x63, 0x73, 0x5C, 0x61, 0x2E, 0x74, 0x78, 0x74,  // Docs\a.txt
    0x00, 0x00, 0x05, 0x61, 0x2E, 0x74, 0x78, 0x74,                                // a.txt
    0x00, 0x00, 0x00,                                                              // no image path
    0x31, 0x31, 0x30, 0x30, 0x31,                                                  // options
};

TEST_F(SettingsTest, ExampleFileComesOutByteForByte) {
    AppSettings settings;
    settings.window_width = 400;
    settings.window_height = 300;
    settings.theme_name = "\\MAINTHEME";
    settings.show_hints = true;
    settings.check_autorun_at_start = true;
    settings.auto_close_when_idle = false;
    settings.auto_arrange = false;
    settings.use_search_service = true;
    LinkList links;
    Link& link = links.append_from_path("E:\\Docs\\a.txt", location_.drive_root);
    LinkList::set_x(link, 75, false);
    LinkList::set_y(link, 0, false);

    const Bytes file = encode_settings(capture_settings(settings, links, location_));
    ASSERT_EQ(file.size(), 63u);
    EXPECT_EQ(file, kExampleFile);
}

TEST_F(SettingsTest, ExampleFileReadsBackEveryField) {
    const StoredSettings stored = decode_settings(kExampleFile);
    EXPECT_EQ(stored.declared_link_count, 1u);
    EXPECT_EQ(stored.options, (std::array<bool, 5>{true, true, false, false, true}));

    // Loaded on another drive letter, the link finds its file there.
    location_.drive_root = "F:\\";
    LinkList links;
    const auto plans = apply_stored_settings(stored, location_, app_settings, links, links_loaded);
    EXPECT_EQ(app_settings.window_width, 400);
    EXPECT_EQ(app_settings.window_height, 300);
    EXPECT_EQ(app_settings.loaded_width, 400);
    EXPECT_EQ(app_settings.theme_name, "\\MAINTHEME");
    EXPECT_TRUE(app_settings.show_hints && app_settings.check_autorun_at_start && app_settings.use_search_service);
    EXPECT_FALSE(app_settings.auto_close_when_idle || app_settings.auto_arrange);
    EXPECT_TRUE(links_loaded);
    ASSERT_EQ(links.count(), 1);
    const Link& link = *links.at(0);
    EXPECT_EQ(pos_of(link), std::pair(75, 0));
    EXPECT_EQ(link.caption, "a.txt");
    EXPECT_EQ(link.target, "Docs\\a.txt");
    EXPECT_TRUE(link.root_relative);
    EXPECT_FALSE(link.close_on_activate || link.custom_image);
    ASSERT_EQ(plans.size(), 1u);
    EXPECT_EQ(plans[0].link, &link);
    EXPECT_EQ(plans[0].source, LinkImagePlan::Source::TargetIcon);
    EXPECT_EQ(plans[0].path, "F:\\Docs\\a.txt");
    EXPECT_FALSE(settings_need_saving(app_settings, changes));
}

TEST_F(SettingsTest, EachOptionKeepsItsOwnPlaceInTheFile) {
    // One option on at a time; the file's last five bytes worked out by hand.
    const struct {
        bool AppSettings::*option;
        const char* bytes;
    } cases[] = {
        {&AppSettings::show_hints, "10000"},           {&AppSettings::check_autorun_at_start, "01000"},
        {&AppSettings::auto_close_when_idle, "00100"}, {&AppSettings::auto_arrange, "00010"},
        {&AppSettings::use_search_service, "00001"},
    };
    for (const auto& c : cases) {
        AppSettings settings;
        for (const auto& each : cases) settings.*each.option = false;
        settings.*c.option = true;
        const LinkList none;
        const Bytes file = encode_settings(capture_settings(settings, none, location_));
        EXPECT_EQ(std::string(file.end() - 5, file.end()), c.bytes);

        AppSettings read;
        LinkList links;
        apply_stored_settings(decode_settings(file), location_, read, links, links_loaded);
        for (const auto& each : cases) EXPECT_EQ(read.*each.option, each.option == c.option) << c.bytes;
    }
}

TEST_F(SettingsTest, FirstStartReadsEmptyAndWritesDefaults) {
    LinkList links;
    EXPECT_TRUE(apply_stored_settings(decode_settings({}), location_, app_settings, links, links_loaded).empty());
    EXPECT_EQ(app_settings.window_width, 373);
    EXPECT_EQ(app_settings.window_height, 203);
    EXPECT_EQ(app_settings.loaded_width, 0);
    EXPECT_EQ(app_settings.theme_name, "\\MAINTHEME");
    EXPECT_FALSE(app_settings.show_hints);
    EXPECT_FALSE(app_settings.use_search_service);
    EXPECT_FALSE(links_loaded);
    EXPECT_TRUE(settings_need_saving(app_settings, changes));  // 0 x 0 was loaded

    const Bytes expected = {'Q',  'B',  '1',  0x00, 0x01, 0x75, 0x00, 0x00, 0xCB, 0x00, 0x00, 0x0A, '\\', 'M', 'A',
                            'I',  'N',  'T',  'H',  'E',  'M',  'E',  0x00, 0x00, 0x00, '0',  '0',  '0',  '0', '0'};
    EXPECT_EQ(encode_settings(capture_settings(app_settings, links, location_)), expected);
}

TEST_F(SettingsTest, WhatWasSavedNoLongerCountsAsChanged) {
    LinkList links;
    apply_stored_settings(decode_settings({}), location_, app_settings, links, links_loaded);
    changes.links_changed = changes.theme_changed = changes.theme_colors_changed = true;
    ASSERT_TRUE(settings_need_saving(app_settings, changes));
    mark_settings_saved(app_settings, changes);
    EXPECT_FALSE(settings_need_saving(app_settings, changes));
    EXPECT_EQ(app_settings.loaded_width, 373) << "the size on the drive is the window's now";
    EXPECT_TRUE(changes.theme_colors_changed) << "Theme.ini is not data.qb";

    // Resized after the save: a change again, to the new size only.
    app_settings.window_height = 250;
    EXPECT_TRUE(settings_need_saving(app_settings, changes));
    EXPECT_TRUE(changes.options_changed);
    mark_settings_saved(app_settings, changes);
    EXPECT_FALSE(settings_need_saving(app_settings, changes));
    EXPECT_EQ(app_settings.loaded_height, 250);
}

// Two records whose fields each have their own byte range.
const Bytes kTwoLinks = {
    'Q',  'B',  '1',                          // 0
    0x00, 0x01, 0x90, 0x00, 0x01, 0x2C,       // 3: 400, 6: 300
    0x00, 0x00, 0x03, '\\', 'T',  '1',        // 9: theme
    0x00, 0x00, 0x02,                         // 15: N
    '1',  '0',  '1',                          // 18: first record's flags
    0x00, 0x01, 0xF4, 0x00, 0x00, 0x4B,       // 21: x 500, 24: y 75
    0x00, 0x00, 0x02, 'a',  'b',              // 27: target
    0x00, 0x00, 0x01, 'c',                    // 32: caption
    0x00, 0x00, 0x00,                         // 36: image path
    '0',  '1',  '1',                          // 39: second record's flags
    0x01, 0x00, 0x00, 0x00, 0x00, 0x96,       // 42: x 65536, 45: y 150
    0x00, 0x00, 0x03, 'x',  'y',  'z',        // 48: target
    0x00, 0x00, 0x00,                         // 54: caption
    0x00, 0x00, 0x05, 'p',  '.',  'b',  'm', 'p',  // 57: image path
    '1',  '0',  '1',  '1',  '1',              // 65: options
};

TEST_F(SettingsTest, EveryTruncationReadsWhatIsPresent) {
    ASSERT_EQ(kTwoLinks.size(), 70u);
    for (int n = 0; n <= 70; ++n) {
        SCOPED_TRACE(n);
        // A field is read when all its bytes up to `end` are there.
        auto has = [n](int end) { return n >= end; };
        // A string's text is the part of its bytes that is there.
        auto text = [n](std::string_view full, int first) {
            return n <= first ? std::string() : std::string(full.substr(0, std::min<int>(full.size(), n - first)));
        };
        const StoredSettings s = decode_settings(std::span(kTwoLinks.data(), static_cast<std::size_t>(n)));
        EXPECT_EQ(s.window_width, has(6) ? 400 : 0);
        EXPECT_EQ(s.window_height, has(9) ? 300 : 0);
        EXPECT_EQ(s.theme_name.text, text("\\T1", 12));
        EXPECT_EQ(s.declared_link_count, has(18) ? 2u : 0u);
        // A record is created when at least one of its bytes is there.
        ASSERT_EQ(s.links.size(), n > 39 ? 2u : n > 18 ? 1u : 0u);
        if (n > 18) {
            const StoredLink& r = s.links[0];
            EXPECT_EQ(r.close_on_activate, has(19));
            EXPECT_FALSE(r.custom_image);
            EXPECT_EQ(r.root_relative, has(21));
            EXPECT_EQ(r.x, has(24) ? 500 : 0);
            EXPECT_EQ(r.y, has(27) ? 75 : 0);
            EXPECT_EQ(r.target.text, text("ab", 30));
            EXPECT_EQ(r.caption.text, text("c", 35));
            EXPECT_EQ(r.image_path.text, "");
        }
        if (n > 39) {
            const StoredLink& r = s.links[1];
            EXPECT_FALSE(r.close_on_activate);
            EXPECT_EQ(r.custom_image, has(41));
            EXPECT_EQ(r.root_relative, has(42));
            EXPECT_EQ(r.x, has(45) ? 65536 : 0);
            EXPECT_EQ(r.y, has(48) ? 150 : 0);
            EXPECT_EQ(r.target.text, text("xyz", 51));
            EXPECT_EQ(r.caption.text, "");
            EXPECT_EQ(r.image_path.text, text("p.bmp", 60));
        }
        EXPECT_EQ(s.options, (std::array<bool, 5>{has(66), false, has(68), has(69), has(70)}));

        // Whatever was read loads without trouble.
        reset_app_settings();
        LinkList links;
        EXPECT_EQ(apply_stored_settings(s, location_, app_settings, links, links_loaded).size(), s.links.size());
        EXPECT_GE(app_settings.window_width, 373);
    }
}

TEST_F(SettingsTest, HugeCountCreatesOnlyTheRecordsPresent) {
    Bytes file = {'Q', 'B', '1', 0, 1, 0x90, 0, 1, 0x2C, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    const Bytes record = {'0', '0', '1', 0, 0, 0, 0, 0, 0x4B, 0, 0, 1, 'a', 0, 0, 1, 'b', 0, 0, 0};
    file.insert(file.end(), record.begin(), record.end());
    const StoredSettings s = decode_settings(file);
    EXPECT_EQ(s.declared_link_count, 16777215u);
    ASSERT_EQ(s.links.size(), 1u);
    EXPECT_EQ(s.links[0].y, 75);
    EXPECT_EQ(s.links[0].caption.text, "b");
    EXPECT_EQ(s.options, (std::array<bool, 5>{}));
}

TEST_F(SettingsTest, OverlongStringsKeep1023BytesAndTheRestStaysInPlace) {
    StoredSettings written;
    written.theme_name.text = "\\" + std::string(1499, 'T');
    written.links.resize(1);
    written.links[0].caption.text = std::string(2000, 'c');
    written.links[0].x = 150;
    written.options = {false, true, false, true, false};

    const StoredSettings s = decode_settings(encode_settings(written));
    EXPECT_EQ(s.theme_name.text, written.theme_name.text.substr(0, 1023));
    ASSERT_EQ(s.links.size(), 1u);
    EXPECT_EQ(s.links[0].x, 150);
    EXPECT_EQ(s.links[0].caption.text, std::string(1023, 'c'));
    EXPECT_EQ(s.options, written.options);
    LinkList links;
    apply_stored_settings(s, location_, app_settings, links, links_loaded);
    EXPECT_EQ(app_settings.theme_name.size(), 1023u);
    EXPECT_EQ(links.at(0)->caption->size(), 1023u);
}

TEST_F(SettingsTest, LoadingAppliesTheFileRules) {
    StoredSettings stored;
    stored.window_width = 100;
    stored.window_height = 100;
    stored.theme_name.text = "x";
    stored.options = {false, false, false, true, false};
    auto add = [&stored](std::string_view target, bool root_relative, int x) -> StoredLink& {
        StoredLink& r = stored.links.emplace_back();
        r.target.text = std::string(target);
        r.target.declared_length = static_cast<std::uint32_t>(target.size());
        r.root_relative = root_relative;
        r.x = x;
        return r;
    };
    add("E:\\Tools\\a.exe", false, 100);  // made under another letter, now ours
    add("D:\\x", false, 0);
    add("Docs\\a.txt", false, 0);
    add("Docs\\a.txt", true, 0);
    add("", true, 0);
    add("", false, 0).close_on_activate = true;
    add("\\\\server\\share\\x.exe", true, 0);  // a network path was once stored as ours

    app_settings.auto_arrange = true;  // positions are read with the grid off
    LinkList links;
    const auto plans = apply_stored_settings(stored, location_, app_settings, links, links_loaded);
    EXPECT_EQ(app_settings.window_width, 373);
    EXPECT_EQ(app_settings.window_height, 203);
    EXPECT_EQ(app_settings.loaded_width, 100);
    EXPECT_EQ(app_settings.theme_name, "\\MAINTHEME");
    EXPECT_TRUE(app_settings.auto_arrange);
    EXPECT_TRUE(settings_need_saving(app_settings, changes));
    ASSERT_EQ(plans.size(), 7u);

    EXPECT_EQ(links.at(0)->x, 100);
    EXPECT_EQ(links.at(0)->target, "Tools\\a.exe");
    EXPECT_TRUE(links.at(0)->root_relative);
    EXPECT_EQ(plans[0].path, "E:\\Tools\\a.exe");
    EXPECT_EQ(links.at(1)->target, "D:\\x");
    EXPECT_FALSE(links.at(1)->root_relative);
    EXPECT_EQ(plans[1].path, "D:\\x");
    EXPECT_FALSE(links.at(2)->root_relative);  // the stored flag is kept
    EXPECT_EQ(plans[2].path, "Docs\\a.txt");
    EXPECT_EQ(plans[3].path, "E:\\Docs\\a.txt");
    EXPECT_FALSE(links.at(4)->target.has_value());
    EXPECT_EQ(plans[4].path, "E:\\");
    EXPECT_EQ(plans[5].path, "");
    EXPECT_TRUE(links.at(5)->close_on_activate);
    EXPECT_FALSE(links.at(5)->caption.has_value());
    EXPECT_FALSE(links.at(6)->root_relative) << "a network path is never relative to our root";
    EXPECT_EQ(plans[6].path, "\\\\server\\share\\x.exe");
    for (const auto& plan : plans) EXPECT_EQ(plan.source, LinkImagePlan::Source::TargetIcon);

    // Theme names of two characters and more are taken as they are.
    stored.links.clear();
    stored.theme_name.text = "\\A";
    apply_stored_settings(stored, location_, app_settings, links, links_loaded);
    EXPECT_EQ(app_settings.theme_name, "\\A");
    EXPECT_EQ(links.count(), 7);  // the list is appended to, never emptied
}

TEST_F(SettingsTest, CustomPicturesAreStoredBesideTheProgram) {
    EXPECT_EQ(stored_image_path("E:\\Quill\\pics\\a.bmp", location_), "\\pics\\a.bmp");
    EXPECT_EQ(stored_image_path("e:\\QUILL\\pics\\a.bmp", location_), "\\pics\\a.bmp");
    EXPECT_EQ(stored_image_path("E:\\Quillo\\a.bmp", location_), "E:\\Quillo\\a.bmp");
    EXPECT_EQ(stored_image_path("D:\\pics\\b.bmp", location_), "D:\\pics\\b.bmp");
    EXPECT_EQ(resolve_stored_image_path("\\pics\\a.bmp", location_), "E:\\Quill\\pics\\a.bmp");
    EXPECT_EQ(resolve_stored_image_path("D:\\pics\\b.bmp", location_), "D:\\pics\\b.bmp");
    EXPECT_EQ(resolve_stored_image_path("\\\\server\\pics\\c.bmp", location_), "\\\\server\\pics\\c.bmp");
    // Made relative, a doubled backslash would read back as a network path.
    EXPECT_EQ(stored_image_path("E:\\Quill\\\\x.bmp", location_), "E:\\Quill\\\\x.bmp");
    EXPECT_EQ(resolve_stored_image_path(stored_image_path("E:\\Quill\\\\x.bmp", location_), location_), "E:\\Quill\\\\x.bmp");

    StoredSettings stored;
    for (const char* path : {"\\pics\\a.bmp", "D:\\pics\\b.bmp", "\\pics\\c.bmp"}) {
        StoredLink& r = stored.links.emplace_back();
        r.image_path.text = path;
        r.image_path.declared_length = static_cast<std::uint32_t>(r.image_path.text.size());
        r.custom_image = true;
    }
    stored.links[2].custom_image = false;
    LinkList links;
    const auto plans = apply_stored_settings(stored, location_, app_settings, links, links_loaded);
    ASSERT_EQ(plans.size(), 3u);
    EXPECT_EQ(plans[0].source, LinkImagePlan::Source::CustomFile);
    EXPECT_EQ(plans[0].path, "E:\\Quill\\pics\\a.bmp");
    EXPECT_EQ(plans[1].path, "D:\\pics\\b.bmp");
    // The picture is loaded even without the flag, but it is not saved.
    EXPECT_EQ(plans[2].source, LinkImagePlan::Source::CustomFile);
    EXPECT_FALSE(links.at(2)->custom_image);

    // Loading a picture records its full path; saving stores it back.
    for (const auto& plan : plans) plan.link->image_path = plan.path;
    const StoredSettings saved = capture_settings(app_settings, links, location_);
    EXPECT_EQ(saved.declared_link_count, 3u);
    EXPECT_EQ(saved.links[0].image_path.text, "\\pics\\a.bmp");
    EXPECT_EQ(saved.links[1].image_path.text, "D:\\pics\\b.bmp");
    EXPECT_EQ(saved.links[2].image_path.text, "");
    EXPECT_EQ(saved.links[0].target.text, "");
    EXPECT_EQ(saved.links[0].caption.text, "");
}

}  // namespace
}  // namespace qb
