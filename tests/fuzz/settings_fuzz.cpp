// data.qb comes from a removable drive and may be anything. Whatever it
// holds must load without fault, and what the program then saves must
// load back to the same links and settings.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/letter_case.h"
#include "common/program_location.h"
#include "links/app_settings.h"
#include "links/link_list.h"
#include "links/settings_codec.h"
#include "links/settings_model.h"

namespace {

using namespace qb;

const ProgramLocation kLocation{"E:\\Quill", "E:\\"};

struct Loaded {
    AppSettings settings;
    LinkList links;
    bool links_loaded = false;
    std::vector<LinkImagePlan> plans;
};

void load(std::span<const std::uint8_t> bytes, Loaded& out) {
    out.plans = apply_stored_settings(decode_settings(bytes), kLocation, out.settings, out.links, out.links_loaded);
    // Loading a custom picture records its full path, which save writes back.
    for (const LinkImagePlan& plan : out.plans) {
        if (plan.source == LinkImagePlan::Source::CustomFile) plan.link->image_path = plan.path;
    }
}

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// A target that still names our drive after set_target stripped it
// (stored as "E:\e:\x", which no Windows path can be) loses one more
// prefix on every load, so it has no fixed form. The letter is ours in
// either case.
bool strips_again(const Link& link) {
    const std::string& t = link.target ? *link.target : std::string();
    return t.size() >= 3 && t[1] == ':' && t[2] == '\\' &&
           fold_case_1251(t[0]) == fold_case_1251(kLocation.drive_root[0]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Work is linear in the bytes; this only keeps a single run short.
    if (size > (1u << 20)) return 0;
    Loaded first;
    load(std::span(data, size), first);
    check(first.settings.window_width >= kMinWindowWidth && first.settings.window_height >= kMinWindowHeight);
    check(first.settings.theme_name.size() >= 2 && first.settings.theme_name.size() <= kMaxStoredString);
    check(first.plans.size() == static_cast<std::size_t>(first.links.count()));
    check(static_cast<std::size_t>(first.links.count()) <= size);

    const std::vector<std::uint8_t> saved = encode_settings(capture_settings(first.settings, first.links, kLocation));
    Loaded second;
    load(saved, second);

    const AppSettings& a = first.settings;
    const AppSettings& b = second.settings;
    check(a.window_width == b.window_width && a.window_height == b.window_height);
    check(a.theme_name == b.theme_name);
    check(a.show_hints == b.show_hints && a.check_autorun_at_start == b.check_autorun_at_start &&
          a.auto_close_when_idle == b.auto_close_when_idle && a.auto_arrange == b.auto_arrange &&
          a.use_search_service == b.use_search_service);
    check(first.links.count() == second.links.count());

    bool stable = true;
    auto other = second.links.begin();
    for (std::size_t i = 0; i < first.plans.size(); ++i, ++other) {
        const Link& x = *first.plans[i].link;
        const Link& y = *other;
        check(second.plans[i].link == &y);
        check(x.x == y.x && x.y == y.y);
        check(x.close_on_activate == y.close_on_activate && x.custom_image == y.custom_image);
        check(x.root_relative == y.root_relative);
        check(x.caption.value_or("") == y.caption.value_or(""));
        if (strips_again(x)) {
            stable = false;
            continue;
        }
        check(x.target.value_or("") == y.target.value_or(""));
        check(full_target(x, kLocation.drive_root) == full_target(y, kLocation.drive_root));
        // A custom picture survives a save only with its flag set; its
        // folder may come back spelled as the program's folder is.
        if (x.custom_image && first.plans[i].source == LinkImagePlan::Source::CustomFile &&
            !first.plans[i].path.empty()) {
            check(second.plans[i].source == LinkImagePlan::Source::CustomFile);
            check(equal_ignoring_case(first.plans[i].path, second.plans[i].path));
        }
    }

    // What was saved once is saved the same way again.
    if (stable) check(encode_settings(capture_settings(second.settings, second.links, kLocation)) == saved);
    return 0;
}
