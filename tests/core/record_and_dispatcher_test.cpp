#include <gtest/gtest.h>

#include "effect/filter_delay_effect.h"

TEST(Record, ProductValues) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    EXPECT_EQ(r->magic, kEffectMagic);
    EXPECT_EQ(r->numPrograms, 16);
}
