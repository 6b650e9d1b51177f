#include <gtest/gtest.h>

#include "common/aside_name.h"

namespace qb {
namespace {

TEST(AsideName, TheUnreadableFileGetsNumberedNamesBesideIt) {
    EXPECT_EQ(aside_name("E:\\data.qb", 1), "E:\\data.qb.unread");
    EXPECT_EQ(aside_name("E:\\data.qb", 2), "E:\\data.qb.unread2");
    EXPECT_EQ(aside_name("E:\\data.qb", kMaxAsideNames), "E:\\data.qb.unread1000");
}

}  // namespace
}  // namespace qb
