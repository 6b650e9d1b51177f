#pragma once
// The few modal things the program asks of Windows (message boxes for
// now) go through this one interface. The program uses the real calls;
// tests install answers and record what was asked.
#include <windows.h>

namespace qb {

class ModalSeams {
public:
    virtual ~ModalSeams() = default;
    virtual int message_box(HWND owner, const char* text, const char* caption, UINT type) = 0;
};

// The seams in use (the real ones unless a test installed others).
ModalSeams& modal_seams();
// Installs `seams` (nullptr goes back to the real ones).
void install_modal_seams(ModalSeams* seams);

// A message box through the seams.
int show_message(HWND owner, const char* text, const char* caption, UINT type);

// The captions and texts the program shows.
inline constexpr const char* kErrorCaption = "Ошибка";
inline constexpr const char* kCannotSaveData = "Невозможно сохранить данные";
inline constexpr const char* kCannotLoadSettings = "Невозможно загрузить настройки";

}  // namespace qb
