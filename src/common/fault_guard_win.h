#pragma once
// Runs a call so that a processor fault inside it (an access violation,
// say) comes back as a failure instead of ending the program.
//
// A fault leaves the call by a jump from the exception handler back into
// run_guarded, past every frame in between, without running their
// destructors. That is sound only for calls that own nothing needing one:
// the call is a plain function (no captures) and its context is checked to
// be trivially destructible, so nothing of ours is skipped. The guard is
// meant for a single system query, not for code that allocates.
#include <type_traits>

namespace qb {

// True when `call(context)` returned normally, false when it faulted.
bool run_guarded_call(void (*call)(void*), void* context);

template <typename Context>
    requires std::is_trivially_destructible_v<Context>
bool run_guarded(void (*call)(Context&), Context& context) {
    struct Thunk {
        void (*call)(Context&);
        Context* context;
        static void run(void* self) {
            auto* thunk = static_cast<Thunk*>(self);
            thunk->call(*thunk->context);
        }
    } thunk{call, &context};
    return run_guarded_call(&Thunk::run, &thunk);
}

}  // namespace qb
