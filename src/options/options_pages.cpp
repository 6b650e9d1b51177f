#include "options/options_pages.h"

#include "autorun/autorun_state.h"

namespace qb {

ControlRange page_controls(int page) {
    switch (page) {
        case 0: return {kOptionsShowHints, kOptionsSearchService};
        case 1: return {kOptionsAutorunFileLabel, kOptionsAutorunPolicyNote};
        case 2: return {kOptionsDoubleFont, kOptionsSaveTheme};
        case 3: return {kOptionsLogo, kOptionsMailAddress};
        default: return {};
    }
}

int fill_type_item(std::int8_t fill_type) { return fill_type >= 0 && fill_type <= 3 ? fill_type : -1; }

OptionsCommand options_command(int id, int notification) {
    switch (id) {
        case kOptionsPageList: return OptionsCommand::ShowPage;
        case kOptionsSaveGeneral: return OptionsCommand::ApplyGeneral;
        case kOptionsCheckAutorunFile: return OptionsCommand::CheckAutorunFile;
        case kOptionsCheckAutorunPolicy: return OptionsCommand::CheckAutorunPolicy;
        case kOptionsDoubleFont: return OptionsCommand::DoubleFont;
        case kOptionsThemeList:
            return notification == kSelectionChange ? OptionsCommand::SwitchTheme : OptionsCommand::None;
        case kOptionsFillType:
            return notification == kSelectionChange ? OptionsCommand::FillType : OptionsCommand::None;
        case kOptionsHeaderColor:
        case kOptionsFontColor:
        case kOptionsFrameColor:
        case kOptionsBackgroundColor: return OptionsCommand::ChooseColor;
        case kOptionsSaveTheme: return OptionsCommand::SaveTheme;
        default: return OptionsCommand::None;
    }
}

bool apply_general_page(const GeneralPageTicks& ticks, AppSettings& settings, ChangeFlags& changes) {
    // Pressing the button is the change: the file is written even when
    // nothing differs.
    changes.options_changed = true;
    settings.show_hints = ticks.show_hints;
    settings.check_autorun_at_start = ticks.check_autorun_at_start;
    settings.auto_close_when_idle = ticks.auto_close_when_idle;
    settings.use_search_service = ticks.use_search_service;
    const bool switched_on = ticks.auto_arrange && !settings.auto_arrange;
    settings.auto_arrange = ticks.auto_arrange;
    return switched_on;
}

AutorunReport autorun_report(std::uint16_t findings) {
    if (findings == 0) return AutorunReport::InOrder;
    // A file that cannot be read cannot be judged further.
    if (findings & kAutorunMissing) return AutorunReport::OfferCreate;
    return AutorunReport::OfferRewrite;
}

namespace {
template <typename Colors>
auto* field_of(Colors& colors, int id) {
    switch (id) {
        case kOptionsHeaderColor: return &colors.header_color;
        case kOptionsFontColor: return &colors.font_color;
        case kOptionsFrameColor: return &colors.frame_color;
        case kOptionsBackgroundColor: return &colors.background_color;
        default: return static_cast<decltype(&colors.header_color)>(nullptr);
    }
}
}  // namespace

Color* button_color(ThemeColors& colors, int id) { return field_of(colors, id); }
const Color* button_color(const ThemeColors& colors, int id) { return field_of(colors, id); }

}  // namespace qb
