#pragma once
// How many handles the program's owners hold right now. Windows keeps
// its handle tables per process, so this mirror of them is kept per
// process too: it is the one diagnostic counter of the program, read
// only by tests that prove a paint or a load frees what it made.
namespace qb {

void count_handle_opened();
void count_handle_closed();
long live_handle_count();

}  // namespace qb
