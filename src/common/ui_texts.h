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

// Opening and deleting links.
inline constexpr const char* kFileNotFound = "Файл не найден. Проверьте правильность ссылки.";
inline constexpr const char* kConfirmDeleteLink = "Вы действительно хотите удалить ссылку?";

// A link's context menu.
inline constexpr const char* kMenuOpenStay = "Открыть без выхода из программы";
inline constexpr const char* kMenuOpen = "Открыть ссылку";
inline constexpr const char* kMenuProperties = "Свойства";
inline constexpr const char* kMenuDelete = "Удалить";

}  // namespace qb::text
