#include "text/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "text/text_testing.h"

namespace ff {
namespace {

TEST(TextNumbers, IntToTextFormatsAsPercentD) {
  EXPECT_EQ(int_to_text(-7), Text("-7"));
  EXPECT_EQ(int_to_text(0), Text("0"));
  EXPECT_EQ(int_to_text(INT_MIN), Text("-2147483648"));
}

TEST(TextNumbers, RealToTextKeepsThirteenSignificantDigits) {
  struct Row {
    double value;
    std::string_view want;
  };
  const Row rows[] = {
      {0.5, "0.5"},
      {100.0, "100"},
      {-2.25, "-2.25"},
      {1.0 / 3.0, "0.3333333333333"},
      {2.0 / 3.0, "0.6666666666667"},
      {1234567890123.0, "1234567890123"},
      {12345678901234.0, "1.234567890123e+13"},
      {1e20, "1e+20"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {-0.0, "-0"},
      {std::numeric_limits<double>::lowest(), "-1.797693134862e+308"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.want);
    EXPECT_EQ(real_to_text(row.value), Text(row.want));
  }
}

TEST(TextNumbers, ToIntTruncatesTowardZeroAndClamps) {
  struct Row {
    double value;
    std::int32_t want;
  };
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const Row rows[] = {
      {2.9, 2},
      {-2.9, -2},
      {-0.5, 0},
      {2147483647.9, INT_MAX},
      {-2147483648.9, INT_MIN},
      {1e10, INT_MAX},
      {-1e10, INT_MIN},
      {kInf, INT_MAX},
      {-kInf, INT_MIN},
      {std::nan(""), 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(to_int(row.value), row.want);
  }
}

TEST(TextNumbers, ByteModuloAndAnd) {
  EXPECT_EQ(to_byte(-1), 255);
  EXPECT_EQ(to_byte(256 + 65), 65);
  EXPECT_EQ(modulo(7, 3), 1);
  EXPECT_EQ(modulo(-7, 3), -1);
  EXPECT_EQ(modulo(7.5, 3), 1.5);
  EXPECT_EQ(modulo(0, 3), 0);
  EXPECT_EQ(bit_and(501, 63), 53);
  EXPECT_EQ(bit_and(-1, 0x7F), 0x7F);
}

TEST(TextNumbers, ShiftsTakeTheCountModulo32) {
  struct Row {
    std::int32_t got, want;
  };
  const Row rows[] = {
      {shift_left(1, 3), 8},
      {shift_left(1, 33), 2},
      {shift_left(1, 32), 1},
      {shift_left(1, -1), INT_MIN},
      {shift_left(-1, 31), INT_MIN},
      {shift_left(0x40000000, 1), INT_MIN},
      {shift_left(0x40000000, 2), 0},
      {shift_left(-8, 1), -16},
      {shift_right(-8, 1), -4},
      {shift_right(-1, 31), -1},
      {shift_right(INT_MIN, 31), -1},
      {shift_right(8, 32), 8},
      {shift_right(0x7FFFFFFF, 30), 1},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

}  // namespace
}  // namespace ff
