#include "text/arrays.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "text/text_testing.h"

namespace ff {
namespace {

TEST(TextArrays, AppendStoresCopiesReadByOneBasedPosition) {
  TextArray array;
  EXPECT_EQ(member_count(array), 0);
  std::string source = "first";
  append_member(array, source);
  append_member(array, "");
  source = "changed";
  ASSERT_EQ(member_count(array), 2);
  EXPECT_EQ(member_at(array, 1), Text("first"));
  EXPECT_EQ(member_at(array, 2), Text());
}

TEST(TextArrays, MemberAtOutsideTheArrayThrowsInsteadOfReadingBeyond) {
  TextArray array;
  append_member(array, "a");
  EXPECT_THROW((void)member_at(array, 0), std::out_of_range);
  EXPECT_THROW((void)member_at(array, 2), std::out_of_range);
  EXPECT_THROW((void)member_at(array, -1), std::out_of_range);
}

}  // namespace
}  // namespace ff
