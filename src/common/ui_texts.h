#pragma once
// Every text the program shows to the user, in one place. The source is
// UTF-8; the compiler stores these literals in code page 1251, the bytes
// Windows shows and the program's files hold.
namespace qb::text {

// Message box captions.
inline constexpr const char* kErrorCaption = "Ошибка";
inline constexpr const char* kConfirmCaption = "Подтверждение";
inline constexpr const char* kCheckResultCaption = "Результат проверки";

// The settings file.
inline constexpr const char* kCannotSaveData = "Невозможно сохранить данные";
inline constexpr const char* kCannotLoadSettings = "Невозможно загрузить настройки";
// A theme whose colour edits cannot be written is not left.
inline constexpr const char* kCannotSaveTheme = "Невозможно сохранить цвета темы";

// The status strip, before the count of new programs.
inline constexpr const char* kNewProgramsCount = "Новых программ: ";

// The hint balloons; "~" breaks a line, and the leading and doubled
// blanks are part of the texts' look.
inline constexpr const char* kHintAddLinks =
    "   Для добавления новой ссылки~достаточно  просто  перетащить~мышью требуемую папку или файл~"
    "в рабочую область программы.";
inline constexpr const char* kHintAutorunMissing =
    "   На диске не найден файл для~автозапуска приложения. Зайдите~в настройки программы для его~"
    "создания.";
inline constexpr const char* kHintAutorunConfig =
    "     Возможно,файл автозапуска~приложения не настроен. Зайдите~в настройки приложения для~"
    "устранения возможной ошибки.";
inline constexpr const char* kHintOldThemes =
    "  Возможно, используются старые~темы оформления. Посетите сайт~программы   для   загрузки~"
    "новых.";

// Opening and deleting links.
inline constexpr const char* kFileNotFound = "Файл не найден. Проверьте правильность ссылки.";
inline constexpr const char* kConfirmDeleteLink = "Вы действительно хотите удалить ссылку?";

// Names that code page 1251 cannot hold (Japanese, "é") are never kept
// with stand-ins; a link to such an item is refused with this word.
inline constexpr const char* kNameCannotBeKept =
    "Имя файла или папки содержит символы, которые программа не может сохранить. "
    "Переименуйте его, используя русские или латинские буквы.";
inline constexpr const char* kCaptionCannotBeKept =
    "Название содержит символы, которые программа не может сохранить. "
    "Используйте русские или латинские буквы.";

// A link's context menu.
inline constexpr const char* kMenuOpenStay = "Открыть без выхода из программы";
inline constexpr const char* kMenuOpen = "Открыть ссылку";
inline constexpr const char* kMenuProperties = "Свойства";
inline constexpr const char* kMenuDelete = "Удалить";

// The autorun file: what writing it reports.
inline constexpr const char* kAutorunCreateFailed = "Не удалось создать Файл автозапуска.";
inline constexpr const char* kAutorunConfigured = "Файл автозапуска создан и настроен.";
inline constexpr const char* kAutorunConfigureFailed = "Во время конфигурирования файла произошла ошибка.";
// What a check of the autorun file found, as the options window asks it.
inline constexpr const char* kAutorunInOrder = "Файл автозапуска в порядке!";
inline constexpr const char* kAutorunMissingQuestion =
    "Файл автозапуска не найден или доступ к нему заблокирован.\nПопробовать создать его заново?";
inline constexpr const char* kAutorunMisconfiguredQuestion =
    "Возможно файл автозапуска неправильно сконфигурирован.\nПопробовать создать его заново?";

// The registry's autorun policy.
inline constexpr const char* kPolicyKeyMissingQuestion =
    "Ключ реестра не доступен или не существует.\nПопробовать создать его?";
inline constexpr const char* kPolicyCannotCreateKey =
    "Невозможно создать ключ.\nВозможно нет прав на доступ к реестру.";
inline constexpr const char* kPolicyValueMissingQuestion =
    "Параметр автозапуска в реестре не найден.\nСоздать его и разрешить автозапуск для всех типов дисков?";
inline constexpr const char* kPolicyValueExcludesQuestion =
    "Автозапуск в реестре запрещен для некоторых типов дисков.\nИзменить параметр и разрешить автозапуск для всех "
    "типов дисков?";
inline constexpr const char* kPolicyCannotReadValue =
    "Невозможно прочитать параметр.\nВозможно он поврежден или нет прав на доступ к реестру.";
inline constexpr const char* kPolicyCannotCreateValue =
    "Невозможно создать параметр.\nВозможно нет прав на доступ к реестру.";
inline constexpr const char* kPolicyCannotChangeValue =
    "Невозможно изменить параметр.\nВозможно нет прав на доступ к реестру.";
inline constexpr const char* kPolicyKeyCreated = "Ключ реестра создан!";
inline constexpr const char* kPolicyKeyChanged = "Ключ реестра изменен.";
inline constexpr const char* kPolicyInOrder = "Ключ реестра в порядке!";

// What a screen reader says of the main window: the default actions of its
// parts, the skin buttons' names and the status strip read out as
// "Съёмный диск «Метка», занято 42 %, новых программ: 3".
inline constexpr const char* kAccessibleOpen = "Открыть";
inline constexpr const char* kAccessiblePress = "Нажать";
inline constexpr const char* kAccessibleAdopt = "Добавить ссылку";
inline constexpr const char* kAccessibleCloseButton = "Закрыть программу";
inline constexpr const char* kAccessibleOptionsButton = "Настройки программы";
inline constexpr const char* kDriveRemovable = "Съёмный диск";
inline constexpr const char* kDriveFixed = "Жёсткий диск";
inline constexpr const char* kDriveNetwork = "Сетевой диск";
inline constexpr const char* kDriveOptical = "Компакт-диск";
inline constexpr const char* kDriveRam = "Виртуальный диск";
inline constexpr const char* kDriveUnknown = "Диск";
inline constexpr const char* kStatusLabelOpens = " «";
inline constexpr const char* kStatusLabelCloses = "»";
inline constexpr const char* kStatusUsed = ", занято ";
inline constexpr const char* kStatusNewPrograms = ", новых программ: ";

// The link properties window.
inline constexpr const char* kPropertiesTitle = "Свойства значка";
inline constexpr const char* kPropertiesName = "Название";
inline constexpr const char* kPropertiesTarget = "Ссылка";
inline constexpr const char* kPropertiesCloseOnOpen = "Закрыть программу при активации";
inline constexpr const char* kPropertiesSave = "Сохранить";
inline constexpr const char* kPropertiesCancel = "Отмена";

// The options window.
inline constexpr const char* kOptionsTitle = "Настройки";
inline constexpr const char* kOptionsPageGeneral = "Общие";
inline constexpr const char* kOptionsPageAutorun = "Автозапуск";
inline constexpr const char* kOptionsPageThemes = "Темы";
inline constexpr const char* kOptionsPageAbout = "О программе";
inline constexpr const char* kOptionsShowHints = "Показывать подсказки и системные сообщения";
inline constexpr const char* kOptionsCheckAutorunAtStart = "Проверка файла автозапуска при старте";
inline constexpr const char* kOptionsCloseWhenIdle = "Автоматическое закрытие программы при простое";
inline constexpr const char* kOptionsSave = "Сохранить";
inline constexpr const char* kOptionsAutoArrange = "Автоматически располагать значки";
inline constexpr const char* kOptionsSearchService = "Использовать сервис поиска новых файлов в разделе";
inline constexpr const char* kOptionsAutorunFileLabel = "Проверка файла автозапуска";
inline constexpr const char* kOptionsRunCheck = ">>>";
inline constexpr const char* kOptionsAutorunFileNote =
    "\n     Для автоматического запуска программы,\n в корневом каталоге должен присутствовать\n правильно "
    "настроенный файл autorun.";
inline constexpr const char* kOptionsAutorunPolicyLabel = "Проверка автозапуска в реестре Windows";
inline constexpr const char* kOptionsAutorunPolicyNote =
    "     За включение и отключение автозапуска\n для разных типов носителей отвечает ключ\n реестра:\n "
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\\n Windows\\CurrentVersion\\Policies\\Explorer]\n "
    "NoDriveTypeAutoRun=dword:00000000";
inline constexpr const char* kOptionsDoubleFont = "Использовать двойной шрифт";
inline constexpr const char* kOptionsWorkArea = "Рабочая область:";
inline constexpr const char* kOptionsFillNone = "Не отображать фоновый рисунок";
inline constexpr const char* kOptionsFillNormal = "Обычное рисование фона";
// "облать" is spelt so on purpose: the window's established text, kept letter for letter.
inline constexpr const char* kOptionsFillTile = "Заполнить облать рисунком";
inline constexpr const char* kOptionsFillStretch = "Растянуть рисунок на всю область";
inline constexpr const char* kOptionsHeaderColor = "Цвет заголовка окна:";
inline constexpr const char* kOptionsFontColor = "Цвет шрифта:";
inline constexpr const char* kOptionsFrameColor = "Цвет рамки окна:";
inline constexpr const char* kOptionsBackgroundColor = "Цвет фона окна:";
inline constexpr const char* kOptionsSaveTheme = "Сохранить тему";
// The About page: the picture's name, the project's site and address.
inline constexpr const char* kOptionsLogo = "LOGO";
inline constexpr const char* kOptionsWebAddress = "qb.example.org";
inline constexpr const char* kOptionsMailAddress = "qb@example.org";

}  // namespace qb::text
