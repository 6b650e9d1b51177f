#pragma once
// The language choice file, "language.ini" beside data.qb: read at start
// to decide the program's language, written when the user chooses one.
#include <string>

#include "common/language_choice.h"
#include "common/program_location.h"

namespace qb {

std::string language_file_path(const ProgramLocation& location);

// The language of this start: the stick's choice, else by whether the
// stick has its settings file yet and by Windows' own language. Call
// before anything creates data.qb.
Language language_at_start(const ProgramLocation& location);

// Keeps the choice on the stick with a replacing write; false when it
// could not be written (the old file, if any, stays).
bool save_language_choice(const ProgramLocation& location, Language language);

}  // namespace qb
