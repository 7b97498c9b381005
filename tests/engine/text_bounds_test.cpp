// The counting search agrees with a byte-by-byte count at every start, end and
// length, across the rounds after which its lanes are added up.
#include "engine/text_bounds.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using linkmoor::scantext::countAnyOf;

TEST(CountAnyOf, AgreesWithCountingByteByByte) {
  std::mt19937 random(7);
  std::string text(16 * 600, ' ');
  const char alphabet[] = {'<', ':', '\n', 'a', '\xbc', '\0', '\xff'};
  for (char &c : text)
    c = alphabet[random() % sizeof alphabet];
  auto naive = [&](std::size_t from, std::size_t to, auto... bytes) {
    std::uint64_t count = 0;
    for (std::size_t i = from; i < to; ++i)
      count += ((text[i] == bytes) || ...);
    return count;
  };
  for (std::size_t from : {0u, 1u, 15u, 16u, 17u})
    for (std::size_t to : {from, from + 1, from + 15, from + 16, from + 16 * 255,
                           from + 16 * 255 + 5, text.size()}) {
      EXPECT_EQ((countAnyOf<'<', ':'>(text.data(), from, to)), naive(from, to, '<', ':'))
          << from << ".." << to;
      EXPECT_EQ(countAnyOf<'\n'>(text.data(), from, to), naive(from, to, '\n'));
      EXPECT_EQ(countAnyOf<'\xff'>(text.data(), from, to), naive(from, to, '\xff'));
    }
  // Every byte a hit: each lane reaches 255 before it is added up.
  const std::string all(16 * 255 * 2 + 3, '\n');
  EXPECT_EQ(countAnyOf<'\n'>(all.data(), 0, all.size()), all.size());
}
