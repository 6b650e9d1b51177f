#pragma once
// The options window's rules: which controls make up each page, what a
// command of each control asks for, how the General page becomes the
// settings, how a check of autorun.inf is put to the user and which
// colour each colour button shows.
#include <cstdint>
#include <optional>

#include "links/app_settings.h"
#include "theme/theme_values.h"

namespace qb {

// Control identifiers, by page.
inline constexpr int kOptionsPageList = 10020;
// Page 0, General.
inline constexpr int kOptionsShowHints = 10021;
inline constexpr int kOptionsCheckAutorunAtStart = 10022;
inline constexpr int kOptionsCloseWhenIdle = 10023;
inline constexpr int kOptionsSaveGeneral = 10024;
inline constexpr int kOptionsAutoArrange = 10025;
inline constexpr int kOptionsSearchService = 10026;
// Page 1, Autorun.
inline constexpr int kOptionsAutorunFileLabel = 10027;
inline constexpr int kOptionsCheckAutorunFile = 10028;
inline constexpr int kOptionsAutorunPolicyLabel = 10029;
inline constexpr int kOptionsCheckAutorunPolicy = 10030;
inline constexpr int kOptionsAutorunFileNote = 10031;
inline constexpr int kOptionsAutorunPolicyNote = 10032;
// Page 2, Themes.
inline constexpr int kOptionsDoubleFont = 10037;
inline constexpr int kOptionsThemeList = 10038;
inline constexpr int kOptionsWorkAreaLabel = 10039;
inline constexpr int kOptionsFillType = 10040;
inline constexpr int kOptionsHeaderColorLabel = 10041;
inline constexpr int kOptionsHeaderColor = 10042;
inline constexpr int kOptionsFontColorLabel = 10043;
inline constexpr int kOptionsFontColor = 10044;
inline constexpr int kOptionsFrameColorLabel = 10045;
inline constexpr int kOptionsFrameColor = 10046;
inline constexpr int kOptionsBackgroundColorLabel = 10047;
inline constexpr int kOptionsBackgroundColor = 10048;
inline constexpr int kOptionsSaveTheme = 10049;
// Page 3, About.
inline constexpr int kOptionsLogo = 10050;
inline constexpr int kOptionsWebAddress = 10051;
inline constexpr int kOptionsMailAddress = 10052;

inline constexpr int kOptionsPageCount = 4;
inline constexpr int kThemesPage = 2;
// The first and last identifier of any page's controls.
inline constexpr int kFirstPageControl = kOptionsShowHints;
inline constexpr int kLastPageControl = kOptionsMailAddress;

// The list and combo-box notification of a changed selection.
inline constexpr int kSelectionChange = 1;

struct ControlRange {
    int first = 0;
    int last = -1;  // an empty range by default
    bool holds(int id) const { return id >= first && id <= last; }
};

// The identifiers of a page's controls; empty for an index that is no page.
ControlRange page_controls(int page);

// The item of the fill-type list that shows `fill_type`; -1 (no item)
// for a value outside 0 to 3.
int fill_type_item(std::int8_t fill_type);

enum class OptionsCommand {
    None,                // a check box of page 0, a label: input, nothing more
    ShowPage,            // the page list
    ApplyGeneral,        // "Сохранить"
    CheckAutorunFile,    // ">>>" beside the autorun file
    CheckAutorunPolicy,  // ">>>" beside the registry
    DoubleFont,          // acts at once
    SwitchTheme,         // a theme chosen in the list
    FillType,            // a fill type chosen in the list
    ChooseColor,         // one of the four colour buttons
    SaveTheme,           // "Сохранить тему"
};

// What a WM_COMMAND from control `id` with `notification` asks for. The
// two lists act only on a changed selection.
OptionsCommand options_command(int id, int notification);

// The ticks of the General page's check boxes.
struct GeneralPageTicks {
    bool show_hints = false;
    bool check_autorun_at_start = false;
    bool auto_close_when_idle = false;
    bool auto_arrange = false;
    bool use_search_service = false;
};

// "Сохранить": the ticks become the settings, which are then saved at
// shutdown. True when automatic arrangement has just been switched on, so
// the links are to be arranged now (once, not at every press).
bool apply_general_page(const GeneralPageTicks& ticks, AppSettings& settings, ChangeFlags& changes);

// How the options window reports a check of autorun.inf.
enum class AutorunReport {
    InOrder,        // "in order", OK only
    OfferCreate,    // missing or locked: create it? (Yes/No)
    OfferRewrite,   // foreign or another program: write it again? (Yes/No)
};
AutorunReport autorun_report(std::uint16_t findings);

// The field of `colors` that colour button `id` shows and edits; null for
// any other control.
Color* button_color(ThemeColors& colors, int id);
const Color* button_color(const ThemeColors& colors, int id);

}  // namespace qb
