#include "common/fault_guard_win.h"

#include <windows.h>

#include <csetjmp>

namespace qb {

namespace {

// The program's one process-wide slot: the recovery point of the guarded
// call running on each thread. An exception handler is process-wide and
// receives nothing of ours, so this is how it finds where to jump. Guards
// nest: each one keeps the point it replaced and puts it back.
thread_local std::jmp_buf* recovery_point = nullptr;

LONG CALLBACK on_fault(EXCEPTION_POINTERS* info) {
    if (recovery_point == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    // Only real faults: C++ exceptions and debugger events pass through.
    const bool fault = code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_IN_PAGE_ERROR ||
                       code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
                       code == EXCEPTION_DATATYPE_MISALIGNMENT || code == EXCEPTION_PRIV_INSTRUCTION;
    if (!fault) return EXCEPTION_CONTINUE_SEARCH;
    std::longjmp(*recovery_point, 1);
}

}  // namespace

bool run_guarded_call(void (*call)(void*), void* context) {
    PVOID handler = AddVectoredExceptionHandler(1, on_fault);
    std::jmp_buf* const outer = recovery_point;
    std::jmp_buf here;
    volatile bool completed = false;
    if (setjmp(here) == 0) {
        recovery_point = &here;
        call(context);
        completed = true;
    }
    recovery_point = outer;
    if (handler) RemoveVectoredExceptionHandler(handler);
    return completed;
}

}  // namespace qb
