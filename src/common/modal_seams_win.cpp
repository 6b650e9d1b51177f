#include "common/modal_seams_win.h"

namespace qb {

namespace {

class SystemModalSeams final : public ModalSeams {
public:
    int message_box(HWND owner, const char* text, const char* caption, UINT type) override {
        return MessageBoxA(owner, text, caption, type);
    }
};

SystemModalSeams system_seams;
ModalSeams* installed = nullptr;

}  // namespace

ModalSeams& modal_seams() { return installed ? *installed : system_seams; }

void install_modal_seams(ModalSeams* seams) { installed = seams; }

int show_message(HWND owner, const char* text, const char* caption, UINT type) {
    return modal_seams().message_box(owner, text, caption, type);
}

}  // namespace qb
