#pragma once
// Runs a call so that a processor fault inside it (an access violation,
// say) comes back as a failure instead of ending the program.
namespace qb {

// True when `call(context)` returned normally, false when it faulted.
bool run_guarded(void (*call)(void*), void* context);

}  // namespace qb
