#include "storage/record_array.h"

#include <gtest/gtest.h>
#include <string>

using linkmoor::RecordArray;

namespace {
struct Counted {
  static inline int alive = 0;
  std::string name;
  explicit Counted(std::string n) : name(std::move(n)) { ++alive; }
  ~Counted() { --alive; }
};
} // namespace

TEST(RecordArray, OwnsElementsAndDestroysThemOnClearAndDestruction) {
  {
    RecordArray<Counted> a;
    a.append(std::make_unique<Counted>("a"));
    a.append(std::make_unique<Counted>("b"));
    EXPECT_EQ(Counted::alive, 2);
    a.removeAll();
    EXPECT_EQ(Counted::alive, 0);
    EXPECT_EQ(a.count(), 0);
    a.append(std::make_unique<Counted>("c"));
  }
  EXPECT_EQ(Counted::alive, 0);
}

TEST(RecordArray, InsertMovesLaterElementsUpAndRemoveMovesThemDown) {
  RecordArray<Counted> a;
  a.append(std::make_unique<Counted>("a"));
  a.append(std::make_unique<Counted>("c"));
  a.insertAt(1, std::make_unique<Counted>("b"));
  a.insertAt(0, std::make_unique<Counted>("0"));
  ASSERT_EQ(a.count(), 4);
  EXPECT_EQ(a.at(0)->name, "0");
  EXPECT_EQ(a.at(1)->name, "a");
  EXPECT_EQ(a.at(2)->name, "b");
  EXPECT_EQ(a.at(3)->name, "c");
  a.removeAt(1);
  EXPECT_EQ(a.at(1)->name, "b");
  EXPECT_EQ(Counted::alive, 3);
}

TEST(RecordArray, GrowsByAnEighthClampedToFourAndTenTwentyFour) {
  RecordArray<Counted> a;
  a.append(std::make_unique<Counted>("x"));
  EXPECT_EQ(a.capacity(), 4);
  for (int i = 1; i < 4; ++i)
    a.append(std::make_unique<Counted>("x"));
  a.append(std::make_unique<Counted>("x"));
  EXPECT_EQ(a.capacity(), 8);
  while (a.count() < 20000)
    a.append(std::make_unique<Counted>("x"));
  // Past 8192 elements the step is capped at 1024 slots.
  EXPECT_LE(a.capacity() - a.count(), 1024);
  a.removeAll();
  EXPECT_EQ(a.capacity(), 0);
}

TEST(RecordArray, SetSizeAddsEmptySlotsAndZeroFreesTheBlock) {
  RecordArray<Counted> a;
  a.setGrowthStep(10);
  a.append(std::make_unique<Counted>("x"));
  EXPECT_EQ(a.capacity(), 10);
  a.setSize(3);
  EXPECT_EQ(a.count(), 3);
  EXPECT_EQ(a.at(2), nullptr);
  a.setSize(0);
  EXPECT_EQ(Counted::alive, 0);
  EXPECT_EQ(a.capacity(), 0);
}
