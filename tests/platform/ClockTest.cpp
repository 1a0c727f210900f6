#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/fake/FakeClock.h"

namespace velmora {
namespace {

TEST(TimeStamp, CountsSecondsFrom1904LocalAndRoundTrips) {
    EXPECT_EQ(ToTimeStamp(LocalDateTime{1904, 1, 1, 0, 0, 0, 6}), 0u);
    // 1970-01-01 is 2,082,844,800 seconds after 1904-01-01.
    EXPECT_EQ(ToTimeStamp(LocalDateTime{1970, 1, 1, 0, 0, 0, 5}), 2082844800u);
    const LocalDateTime t{2026, 12, 8, 23, 59, 58, 0};
    const LocalDateTime back = FromTimeStamp(ToTimeStamp(t));
    EXPECT_EQ(back.year, 2026);
    EXPECT_EQ(back.month, 12);
    EXPECT_EQ(back.day, 8);
    EXPECT_EQ(back.hour, 23);
    EXPECT_EQ(back.minute, 59);
    EXPECT_EQ(back.second, 58);
    EXPECT_EQ(back.weekday, 3);  // a Tuesday
    // Leap day of a leap year, and the year after 2099 still fits 32 bits.
    EXPECT_EQ(FromTimeStamp(ToTimeStamp(LocalDateTime{2028, 2, 29, 0, 0, 0, 1})).day, 29);
    EXPECT_EQ(FromTimeStamp(ToTimeStamp(LocalDateTime{2040, 1, 1, 0, 0, 0, 1})).year, 2040);
}

TEST(FakeClock, AdvancesAcrossMidnightWithWeekday) {
    FakeClock clock;
    clock.Set(2026, 12, 31, 23, 59, 59);
    EXPECT_EQ(clock.Now().weekday, 5);  // Thursday
    clock.Advance(1);
    const LocalDateTime t = clock.Now();
    EXPECT_EQ(t.year, 2027);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.weekday, 6);
}

}  // namespace
}  // namespace velmora
