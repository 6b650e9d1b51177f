#include "common/ui_texts.h"

#include "common/letter_case.h"

namespace qb {

namespace {

struct TextRow {
    text::Id id;
    std::array<const char*, kLanguageCount> texts;
};

using namespace text;

// One row per text, in the order of text::Id; the columns follow
// kLanguageCodes. The Russian texts are the program's established ones,
// kept letter for letter ("облать" included).
constexpr TextRow kTexts[] = {
    {kLanguageName, {"Русский", "English"}},
    {kErrorCaption, {"Ошибка", "Error"}},
    {kConfirmCaption, {"Подтверждение", "Confirm"}},
    {kCheckResultCaption, {"Результат проверки", "Check result"}},
    {kCannotSaveData, {"Невозможно сохранить данные", "Could not save the data"}},
    {kCannotLoadSettings, {"Невозможно загрузить настройки", "Could not load the settings"}},
    {kCannotSaveTheme, {"Невозможно сохранить цвета темы", "Could not save the theme colors"}},
    {kCannotSaveLanguage,
     {"Невозможно сохранить выбор языка на диске", "Could not save the choice of language on the drive"}},
    {kNewProgramsCount, {"Новых программ: ", "New programs: "}},
    {kHintAddLinks,
     {"   Для добавления новой ссылки~достаточно  просто  перетащить~мышью требуемую папку или файл~"
      "в рабочую область программы.",
      "   To add a new link, simply~drag a file or folder with~the mouse into the program's~work area."}},
    {kHintAutorunMissing,
     {"   На диске не найден файл для~автозапуска приложения. Зайдите~в настройки программы для его~"
      "создания.",
      "   No autorun file was found~on the drive. Open the~program's options to create~one."}},
    {kHintAutorunConfig,
     {"     Возможно,файл автозапуска~приложения не настроен. Зайдите~в настройки приложения для~"
      "устранения возможной ошибки.",
      "   The autorun file may not be~set up correctly. Open the~program's options to fix it."}},
    {kHintOldThemes,
     {"  Возможно, используются старые~темы оформления. Посетите сайт~программы   для   загрузки~"
      "новых.",
      "   Old themes may be in use.~Visit the program's website~to download new ones."}},
    {kFileNotFound, {"Файл не найден. Проверьте правильность ссылки.", "File not found. Check that the link is right."}},
    {kConfirmDeleteLink, {"Вы действительно хотите удалить ссылку?", "Do you really want to delete this link?"}},
    {kNameCannotBeKept,
     {"Имя файла или папки содержит символы, которые программа не может сохранить. "
      "Переименуйте его, используя русские или латинские буквы.",
      "The name of the file or folder has characters that the program cannot store. "
      "Rename it using Latin or Cyrillic letters."}},
    {kCaptionCannotBeKept,
     {"Название содержит символы, которые программа не может сохранить. "
      "Используйте русские или латинские буквы.",
      "The caption has characters that the program cannot store. Use Latin or Cyrillic letters."}},
    {kMenuOpenStay, {"Открыть без выхода из программы", "Open and keep the program running"}},
    {kMenuOpen, {"Открыть ссылку", "Open link"}},
    {kMenuProperties, {"Свойства", "Properties"}},
    {kMenuDelete, {"Удалить", "Delete"}},
    {kAutorunCreateFailed, {"Не удалось создать Файл автозапуска.", "Could not create the autorun file."}},
    {kAutorunConfigured, {"Файл автозапуска создан и настроен.", "The autorun file has been created and set up."}},
    {kAutorunConfigureFailed,
     {"Во время конфигурирования файла произошла ошибка.", "An error occurred while setting up the file."}},
    {kAutorunInOrder, {"Файл автозапуска в порядке!", "The autorun file is in order!"}},
    {kAutorunMissingQuestion,
     {"Файл автозапуска не найден или доступ к нему заблокирован.\nПопробовать создать его заново?",
      "The autorun file was not found, or access to it is blocked.\nTry to create it again?"}},
    {kAutorunMisconfiguredQuestion,
     {"Возможно файл автозапуска неправильно сконфигурирован.\nПопробовать создать его заново?",
      "The autorun file may be set up wrongly.\nTry to create it again?"}},
    {kPolicyKeyMissingQuestion,
     {"Ключ реестра не доступен или не существует.\nПопробовать создать его?",
      "The registry key cannot be reached or does not exist.\nTry to create it?"}},
    {kPolicyCannotCreateKey,
     {"Невозможно создать ключ.\nВозможно нет прав на доступ к реестру.",
      "Could not create the key.\nYou may have no right to change the registry."}},
    {kPolicyValueMissingQuestion,
     {"Параметр автозапуска в реестре не найден.\nСоздать его и разрешить автозапуск для всех типов дисков?",
      "The autorun value was not found in the registry.\nCreate it and allow autorun for all types of drive?"}},
    {kPolicyValueExcludesQuestion,
     {"Автозапуск в реестре запрещен для некоторых типов дисков.\nИзменить параметр и разрешить автозапуск для "
      "всех типов дисков?",
      "The registry turns autorun off for some types of drive.\nChange the value and allow autorun for all types "
      "of drive?"}},
    {kPolicyCannotReadValue,
     {"Невозможно прочитать параметр.\nВозможно он поврежден или нет прав на доступ к реестру.",
      "Could not read the value.\nIt may be damaged, or you may have no right to read the registry."}},
    {kPolicyCannotCreateValue,
     {"Невозможно создать параметр.\nВозможно нет прав на доступ к реестру.",
      "Could not create the value.\nYou may have no right to change the registry."}},
    {kPolicyCannotChangeValue,
     {"Невозможно изменить параметр.\nВозможно нет прав на доступ к реестру.",
      "Could not change the value.\nYou may have no right to change the registry."}},
    {kPolicyKeyCreated, {"Ключ реестра создан!", "The registry key has been created!"}},
    {kPolicyKeyChanged, {"Ключ реестра изменен.", "The registry key has been changed."}},
    {kPolicyInOrder, {"Ключ реестра в порядке!", "The registry key is in order!"}},
    {kAccessibleOpen, {"Открыть", "Open"}},
    {kAccessiblePress, {"Нажать", "Press"}},
    {kAccessibleAdopt, {"Добавить ссылку", "Add link"}},
    {kAccessibleCloseButton, {"Закрыть программу", "Close the program"}},
    {kAccessibleOptionsButton, {"Настройки программы", "Program options"}},
    {kDriveRemovable, {"Съёмный диск", "Removable drive"}},
    {kDriveFixed, {"Жёсткий диск", "Hard drive"}},
    {kDriveNetwork, {"Сетевой диск", "Network drive"}},
    {kDriveOptical, {"Компакт-диск", "CD drive"}},
    {kDriveRam, {"Виртуальный диск", "RAM drive"}},
    {kDriveUnknown, {"Диск", "Drive"}},
    {kStatusLabelOpens, {" «", " “"}},
    {kStatusLabelCloses, {"»", "”"}},
    {kStatusUsed, {", занято ", ", used: "}},
    {kStatusNewPrograms, {", новых программ: ", ", new programs: "}},
    {kPropertiesTitle, {"Свойства значка", "Link properties"}},
    {kPropertiesName, {"Название", "Caption"}},
    {kPropertiesTarget, {"Ссылка", "Target"}},
    {kPropertiesCloseOnOpen, {"Закрыть программу при активации", "Close the program when the link opens"}},
    {kPropertiesSave, {"Сохранить", "Save"}},
    {kPropertiesCancel, {"Отмена", "Cancel"}},
    {kOptionsTitle, {"Настройки", "Options"}},
    {kOptionsPageGeneral, {"Общие", "General"}},
    {kOptionsPageAutorun, {"Автозапуск", "Autorun"}},
    {kOptionsPageThemes, {"Темы", "Themes"}},
    {kOptionsPageAbout, {"О программе", "About"}},
    {kOptionsShowHints, {"Показывать подсказки и системные сообщения", "Show hints and system messages"}},
    {kOptionsCheckAutorunAtStart, {"Проверка файла автозапуска при старте", "Check the autorun file at start"}},
    {kOptionsCloseWhenIdle,
     {"Автоматическое закрытие программы при простое", "Close the program when it is idle"}},
    {kOptionsSave, {"Сохранить", "Save"}},
    {kOptionsAutoArrange, {"Автоматически располагать значки", "Arrange links automatically"}},
    {kOptionsSearchService,
     {"Использовать сервис поиска новых файлов в разделе", "Search the drive for new programs"}},
    {kOptionsAutorunFileLabel, {"Проверка файла автозапуска", "Check the autorun file"}},
    {kOptionsRunCheck, {">>>", ">>>"}},
    {kOptionsAutorunFileNote,
     {"\n     Для автоматического запуска программы,\n в корневом каталоге должен присутствовать\n правильно "
      "настроенный файл autorun.",
      "\n     To start the program automatically,\n the root folder of the drive must hold\n a correctly set-up "
      "autorun file."}},
    {kOptionsAutorunPolicyLabel, {"Проверка автозапуска в реестре Windows", "Check autorun in the Windows registry"}},
    {kOptionsAutorunPolicyNote,
     {"     За включение и отключение автозапуска\n для разных типов носителей отвечает ключ\n реестра:\n "
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\\n Windows\\CurrentVersion\\Policies\\Explorer]\n "
      "NoDriveTypeAutoRun=dword:00000000",
      "     Autorun is turned on and off for each\n type of drive by this registry key:\n\n "
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\\n Windows\\CurrentVersion\\Policies\\Explorer]\n "
      "NoDriveTypeAutoRun=dword:00000000"}},
    {kOptionsDoubleFont, {"Использовать двойной шрифт", "Draw text with a shadow"}},
    {kOptionsWorkArea, {"Рабочая область:", "Work area:"}},
    {kOptionsFillNone, {"Не отображать фоновый рисунок", "No background picture"}},
    {kOptionsFillNormal, {"Обычное рисование фона", "Show the picture at its own size"}},
    {kOptionsFillTile, {"Заполнить облать рисунком", "Tile the picture over the area"}},
    {kOptionsFillStretch, {"Растянуть рисунок на всю область", "Stretch the picture to fit"}},
    {kOptionsHeaderColor, {"Цвет заголовка окна:", "Title bar color:"}},
    {kOptionsFontColor, {"Цвет шрифта:", "Text color:"}},
    {kOptionsFrameColor, {"Цвет рамки окна:", "Frame color:"}},
    {kOptionsBackgroundColor, {"Цвет фона окна:", "Background color:"}},
    {kOptionsSaveTheme, {"Сохранить тему", "Save theme"}},
    {kOptionsLogo, {"LOGO", "LOGO"}},
    {kOptionsWebAddress, {"qb.example.org", "qb.example.org"}},
    {kOptionsMailAddress, {"qb@example.org", "qb@example.org"}},
};

// The rows stand in the order of their identifiers, one for each.
constexpr bool rows_in_order() {
    if (std::size(kTexts) != kCount) return false;
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (kTexts[i].id != i) return false;
    }
    return true;
}
static_assert(rows_in_order(), "one row per text::Id, in its order");

}  // namespace

std::optional<Language> language_of_code(std::string_view code) {
    for (std::size_t i = 0; i < kLanguageCount; ++i) {
        if (equal_ignoring_case(code, kLanguageCodes[i])) return Language{static_cast<std::uint8_t>(i)};
    }
    return std::nullopt;
}

const char* ui_text(text::Id id, Language language) {
    if (id >= kCount || language_index(language) >= kLanguageCount) return "";
    const char* found = kTexts[id].texts[language_index(language)];
    return found ? found : "";
}

bool same_in_every_language(text::Id id) {
    if (id >= kCount) return true;
    auto view = [](const char* text) { return std::string_view(text ? text : ""); };
    for (const char* text : kTexts[id].texts) {
        if (view(text) != view(kTexts[id].texts[0])) return false;
    }
    return true;
}

}  // namespace qb
