// A link's picture: shared by the links of one file type, freed with its
// last owner together with what was made from it, and told apart from a
// later picture even at the same address.
#include <gtest/gtest.h>

#include "links/link_list.h"

namespace qb {
namespace {

// Records which handles were freed, in order.
std::vector<void*>* freed_log = nullptr;
void record_free(void* handle) { freed_log->push_back(handle); }

class LinkImageTest : public ::testing::Test {
protected:
    void SetUp() override { freed_log = &freed; }
    void TearDown() override { freed_log = nullptr; }
    std::vector<void*> freed;
    int a = 0, b = 0, c = 0, d = 0;
};

TEST_F(LinkImageTest, ASharedPictureGoesWithItsLastOwnerAndItsCompanionWithIt) {
    {
        LinkImage first(&a, &record_free);
        first.set_companion(&c, &record_free);
        LinkImage second = first.share();
        EXPECT_EQ(second.get(), &a);
        EXPECT_EQ(second.companion(), &c) << "one picture, one companion";
        first.reset();
        EXPECT_FALSE(first);
        EXPECT_TRUE(freed.empty()) << "the other link still shows it";
        LinkImage moved = std::move(second);
        EXPECT_FALSE(second);
        EXPECT_TRUE(freed.empty());
        moved.set_companion(&d, &record_free);
        EXPECT_EQ(freed, (std::vector<void*>{&c})) << "a new companion frees the old";
    }
    EXPECT_EQ(freed, (std::vector<void*>{&c, &d, &a})) << "the companion before the picture";

    // A companion for no picture is freed at once; a picture without a
    // deleter is not freed.
    freed.clear();
    LinkImage empty;
    empty.set_companion(&c, &record_free);
    EXPECT_EQ(freed, (std::vector<void*>{&c}));
    EXPECT_EQ(empty.companion(), nullptr);
    { LinkImage unowned(&b, nullptr); }
    EXPECT_EQ(freed.size(), 1u);
    // reset() with a new handle frees the old one first.
    LinkImage image(&a, &record_free);
    image.reset(&b, &record_free);
    EXPECT_EQ(freed.back(), &a);
    EXPECT_EQ(image.get(), &b);
}

TEST_F(LinkImageTest, ATokenKnowsItsOwnPictureOnly) {
    Link link;
    const LinkImage::Token none = link.image.token();
    EXPECT_TRUE(none.matches(link.image));

    link.image = LinkImage(&a, &record_free);
    EXPECT_FALSE(none.matches(link.image)) << "a picture where there was none";
    const LinkImage::Token first = link.image.token();
    EXPECT_TRUE(first.matches(link.image));
    Link other;
    other.image = link.image.share();
    EXPECT_TRUE(first.matches(other.image)) << "the same picture, shared";

    // The same handle made again is another picture.
    link.image.reset();
    other.image.reset();
    link.image = LinkImage(&a, &record_free);
    EXPECT_FALSE(first.matches(link.image));
    const LinkImage::Token second = link.image.token();
    link.image.reset();
    EXPECT_FALSE(second.matches(link.image)) << "no picture where there was one";
    EXPECT_FALSE(second.matches(other.image));
}

}  // namespace
}  // namespace qb
