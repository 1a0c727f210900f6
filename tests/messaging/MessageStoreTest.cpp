#include <gtest/gtest.h>

#include "messaging/MessageStore.h"

namespace velmora {
namespace {

TEST(MessageStore, DxSpotsCountRepeatsAndStopAtCapacity) {
    MessageStore store(2);
    EXPECT_EQ(store.AddDxSpot("spot", "K1ABC", "14025 W1AW", 100), 0);
    EXPECT_EQ(store.AddDxSpot("spot", "K1ABC", "14025 W1AW", 200), 0);
    EXPECT_EQ(store.At(0).seenCount, 2);
    EXPECT_EQ(store.At(0).created, 100u);
    EXPECT_EQ(store.At(0).kind, MessageKind::kDxSpot);
    EXPECT_EQ(store.AddDxSpot("spot", "K1ABC", "7025 W1AW", 300), 1);
    EXPECT_EQ(store.AddDxSpot("spot", "K2ABC", "7025 W1AW", 300), -1);
    EXPECT_EQ(store.Count(), 2);
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(store.At(0).InUse());
}

}  // namespace
}  // namespace velmora
