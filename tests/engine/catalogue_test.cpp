#include <gtest/gtest.h>

#include "engine/catalogue.h"

namespace lumetra {
namespace {

TEST(Catalogue, SlugsAreTheNamesLowerCasedWithHyphens)
{
    EXPECT_EQ(EffectSlug(0), "original");
    EXPECT_EQ(EffectSlug(2), "sketch-dot");
    EXPECT_EQ(EffectSlug(3), "pencil-sketch");
    EXPECT_EQ(EffectSlug(5), "color-1-dot");
    EXPECT_EQ(EffectSlug(17), "gray-2-dot");
    EXPECT_EQ(EffectSlug(19), "transition-2");
    EXPECT_EQ(EffectSlug(20), "");
    EXPECT_EQ(EffectSlug(-1), "");
}

TEST(Catalogue, EverySlotIsFoundByNumberNameAndSlug)
{
    for (const EffectInfo& effect : kCatalogue) {
        EXPECT_EQ(effect.slot, &effect - kCatalogue.data());
        EXPECT_EQ(FindEffectSlot(std::to_string(effect.slot)), effect.slot);
        EXPECT_EQ(FindEffectSlot(effect.name), effect.slot);
        EXPECT_EQ(FindEffectSlot(EffectSlug(effect.slot)), effect.slot);
    }
    EXPECT_EQ(FindEffectSlot("pencil sketch"), 3);
    EXPECT_EQ(FindEffectSlot("GRAY 1 + DOT"), 15);
    EXPECT_EQ(FindEffectSlot("07"), 7);
}

TEST(Catalogue, UnknownNamesAndNumbersAreRefused)
{
    for (const char* text : {"", "20", "-1", "+3", "3x", "sketch dot", "Sketch+", "1000"})
        EXPECT_FALSE(FindEffectSlot(text).has_value()) << text;
}

}  // namespace
}  // namespace lumetra
