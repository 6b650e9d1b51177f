#pragma once
// Every text the program shows to the user, in each of its languages: one
// row per text (text::Id), one column per language (ui_texts.cpp). The
// source is UTF-8; the compiler stores the literals in code page 1251,
// the bytes Windows shows and the program's files hold. A language is
// added by one more column: its code and name below, its text in each row.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qb {

// The languages' codes, as the language choice file holds them, in the
// order of the table's columns.
inline constexpr std::array kLanguageCodes = {"ru", "en"};
inline constexpr std::size_t kLanguageCount = kLanguageCodes.size();
// Each language's identifier in Windows (a LANGID: Russian, English (US)),
// for the system's own words, such as message box buttons.
inline constexpr std::array<std::uint16_t, kLanguageCount> kLanguageSystemIds = {0x0419, 0x0409};

// A column of the table.
enum class Language : std::uint8_t {};
inline constexpr Language kRussian{0};
inline constexpr Language kEnglish{1};

inline constexpr std::size_t language_index(Language language) { return static_cast<std::size_t>(language); }
// The language with that code (letter case aside); none for any other.
std::optional<Language> language_of_code(std::string_view code);
inline const char* language_code(Language language) { return kLanguageCodes[language_index(language)]; }

namespace text {

enum Id : std::uint16_t {
    // The language's own name, as the language menu lists it.
    kLanguageName,
    // Message box captions.
    kErrorCaption,
    kConfirmCaption,
    kCheckResultCaption,
    // The settings file; a theme whose colour edits cannot be written is
    // not left; the language choice file.
    kCannotSaveData,
    kCannotLoadSettings,
    kCannotSaveTheme,
    kCannotSaveLanguage,
    // The status strip, before the count of new programs.
    kNewProgramsCount,
    // The hint balloons; "~" breaks a line, and the leading and doubled
    // blanks are part of the texts' look.
    kHintAddLinks,
    kHintAutorunMissing,
    kHintAutorunConfig,
    kHintOldThemes,
    // Opening and deleting links.
    kFileNotFound,
    kConfirmDeleteLink,
    // Names that code page 1251 cannot hold (Japanese, "é") are never kept
    // with stand-ins; a link to such an item is refused with this text.
    kNameCannotBeKept,
    kCaptionCannotBeKept,
    // A link's context menu.
    kMenuOpenStay,
    kMenuOpen,
    kMenuProperties,
    kMenuDelete,
    // The autorun file: what writing it reports, and what a check found.
    kAutorunCreateFailed,
    kAutorunConfigured,
    kAutorunConfigureFailed,
    kAutorunInOrder,
    kAutorunMissingQuestion,
    kAutorunMisconfiguredQuestion,
    // The registry's autorun policy.
    kPolicyKeyMissingQuestion,
    kPolicyCannotCreateKey,
    kPolicyValueMissingQuestion,
    kPolicyValueExcludesQuestion,
    kPolicyCannotReadValue,
    kPolicyCannotCreateValue,
    kPolicyCannotChangeValue,
    kPolicyKeyCreated,
    kPolicyKeyChanged,
    kPolicyInOrder,
    // What a screen reader says of the main window: the default actions of
    // its parts, the skin buttons' names and the status strip read out as
    // one sentence: kind, opening mark, label, closing mark, used, new.
    kAccessibleOpen,
    kAccessiblePress,
    kAccessibleAdopt,
    kAccessibleCloseButton,
    kAccessibleOptionsButton,
    kDriveRemovable,
    kDriveFixed,
    kDriveNetwork,
    kDriveOptical,
    kDriveRam,
    kDriveUnknown,
    kStatusLabelOpens,
    kStatusLabelCloses,
    kStatusUsed,
    kStatusNewPrograms,
    // The link properties window.
    kPropertiesTitle,
    kPropertiesName,
    kPropertiesTarget,
    kPropertiesCloseOnOpen,
    kPropertiesSave,
    kPropertiesCancel,
    // The options window.
    kOptionsTitle,
    kOptionsPageGeneral,
    kOptionsPageAutorun,
    kOptionsPageThemes,
    kOptionsPageAbout,
    kOptionsShowHints,
    kOptionsCheckAutorunAtStart,
    kOptionsCloseWhenIdle,
    kOptionsSave,
    kOptionsAutoArrange,
    kOptionsSearchService,
    kOptionsAutorunFileLabel,
    kOptionsRunCheck,
    kOptionsAutorunFileNote,
    kOptionsAutorunPolicyLabel,
    kOptionsAutorunPolicyNote,
    kOptionsDoubleFont,
    kOptionsWorkArea,
    kOptionsFillNone,
    kOptionsFillNormal,
    kOptionsFillTile,
    kOptionsFillStretch,
    kOptionsHeaderColor,
    kOptionsFontColor,
    kOptionsFrameColor,
    kOptionsBackgroundColor,
    kOptionsSaveTheme,
    // The About page: the picture's resource name (not a text, alike in
    // every language), the project's site and address.
    kOptionsLogo,
    kOptionsWebAddress,
    kOptionsMailAddress,
    kCount
};

}  // namespace text

// The text in that language (code page 1251; never null).
const char* ui_text(text::Id id, Language language);

// Whether the text is the same in every language (an address, a
// picture's name): nothing to change when the language does.
bool same_in_every_language(text::Id id);

}  // namespace qb
