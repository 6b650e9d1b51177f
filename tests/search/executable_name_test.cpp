#include <gtest/gtest.h>

#include "search/executable_name.h"

namespace qb {
namespace {

TEST(ExecutableName, TheLastExtensionBeginsWithExeInAnyCase) {
    for (const char* name : {"a.EXE", "b.Exe", "c.exe1", "run.exe", "x.y.exe", ".exe", "setup.exe.exe", "ok.eXeCuTe"})
        EXPECT_TRUE(is_executable_name(name)) << name;
    for (const char* name : {"d.exe.txt", "e", "f.com", "", ".", "g.ex", "h.ex_", "exe", "i.bat", "j.e.xe", "k.exe.",
                             "l.xexe", "m.\xc5XE"})
        EXPECT_FALSE(is_executable_name(name)) << name;
}

}  // namespace
}  // namespace qb
