// The quillon command's arena, linked into this test program as into the
// command: every operator new and every GMP number here comes from it.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "quantity/Question.h"
#include "quantity/Units.h"

namespace {

TEST(CommandMemory, BlocksGivenBackAreReusedAndNeverOverlap) {
  // The last block handed out is taken back at once.
  void* last = ::operator new(40);
  ::operator delete(last, 40);
  void* again = ::operator new(40);
  EXPECT_EQ(again, last);
  // A block in the middle waits for the next block of its size.
  void* middle = ::operator new(100);
  void* after = ::operator new(24);
  ::operator delete(middle, 100);
  EXPECT_EQ(::operator new(112), middle);  // the same multiple of 16
  ::operator delete(after, 24);
  ::operator delete(middle, 112);
  ::operator delete(again, 40);

  // Live blocks of every size hold what was written into them.
  std::vector<std::pair<unsigned char*, size_t>> blocks;
  for (size_t i = 0; i < 2000; ++i) {
    const size_t size = 1 + (i * 37) % 700;
    auto* block = static_cast<unsigned char*>(::operator new(size));
    std::memset(block, static_cast<int>(i % 251), size);
    blocks.emplace_back(block, size);
    if (i % 3 == 0) {  // some go back at once, to be reused
      ::operator delete(blocks.back().first, size);
      blocks.pop_back();
    }
  }
  for (size_t i = 0; i < blocks.size(); ++i) {
    const auto [block, size] = blocks[i];
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % __STDCPP_DEFAULT_NEW_ALIGNMENT__, 0u);
    const unsigned char expected = block[0];
    for (size_t k = 1; k < size; ++k) ASSERT_EQ(block[k], expected) << i;
  }
  for (const auto& [block, size] : blocks) ::operator delete(block, size);
}

TEST(CommandMemory, MoreThanTheArenaComesFromTheSystem) {
  // Twice the arena's eight megabytes, in blocks that stay: the later ones
  // come from malloc, and all can be written and given back.
  std::vector<std::unique_ptr<char[]>> blocks;
  for (int i = 0; i < 256; ++i) {
    blocks.emplace_back(new char[64 * 1024]);
    std::memset(blocks.back().get(), i, 64 * 1024);
  }
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(blocks[static_cast<size_t>(i)][65535], static_cast<char>(i));
  blocks.clear();
  std::vector<int> large(4 << 20, 7);  // 16 MB at once
  EXPECT_EQ(large[(4 << 20) - 1], 7);
}

TEST(CommandMemory, GmpNumbersGrowAndShrinkInIt) {
  mpz_class power = 1;
  for (int i = 0; i < 2000; ++i) power *= 3;  // grows in place, limb by limb
  mpz_class huge;
  mpz_ui_pow_ui(huge.get_mpz_t(), 7, 200000);  // beyond the kept sizes
  EXPECT_EQ(mpz_sizeinbase(power.get_mpz_t(), 3), 2001u);
  EXPECT_EQ(mpz_class(huge % 1000), 1);  // 7^4 = 2401: 7^200000 ends in 001
  mpq_class q(power, huge);
  q.canonicalize();
  EXPECT_EQ(q.get_den(), huge);
  huge = 1;  // shrinks
  EXPECT_EQ(power % 9, 0);
}

TEST(CommandMemory, TheShippedUnitsLoadAndAnswer) {
  quantity::UnitTable table;
  ASSERT_TRUE(table.LoadFile(QUILLON_DEFINITIONS_FILE).empty());
  for (int i = 0; i < 3; ++i) {
    const quantity::Answer answer = quantity::Ask(table, "60 mph * 2 h to km");
    EXPECT_EQ(answer.Text(), "193.12128");
    EXPECT_EQ(answer.ExactText(), "603504/3125");
  }
}

}  // namespace
