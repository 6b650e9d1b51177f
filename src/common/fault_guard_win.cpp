#include "common/fault_guard_win.h"

#include <windows.h>

#include <csetjmp>

namespace qb {

namespace {

// The recovery point of the guarded call running on this thread.
thread_local std::jmp_buf* recovery = nullptr;

LONG CALLBACK on_fault(EXCEPTION_POINTERS* info) {
    if (recovery == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    // Only real faults: C++ exceptions and debugger events pass through.
    const bool fault = code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_IN_PAGE_ERROR ||
                       code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
                       code == EXCEPTION_DATATYPE_MISALIGNMENT || code == EXCEPTION_PRIV_INSTRUCTION;
    if (!fault) return EXCEPTION_CONTINUE_SEARCH;
    std::jmp_buf* target = recovery;
    recovery = nullptr;
    std::longjmp(*target, 1);
}

}  // namespace

bool run_guarded(void (*call)(void*), void* context) {
    PVOID handler = AddVectoredExceptionHandler(1, on_fault);
    std::jmp_buf here;
    bool completed = false;
    if (setjmp(here) == 0) {
        recovery = &here;
        call(context);
        completed = true;
    }
    recovery = nullptr;
    if (handler) RemoveVectoredExceptionHandler(handler);
    return completed;
}

}  // namespace qb
