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

}  // namespace qb::text
