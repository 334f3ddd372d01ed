#include "platform/line_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/unique_fd.h"

namespace ff {
namespace {

// A reader over a pipe that already holds `input` and has been closed for writing.
class PipedInput {
 public:
  explicit PipedInput(const std::string& input) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    read_end_ = UniqueFd(ends[0]);
    UniqueFd write_end(ends[1]);
    EXPECT_EQ(::write(write_end.get(), input.data(), input.size()),
              static_cast<ssize_t>(input.size()));
  }
  std::vector<std::string> pieces(std::size_t limit, CharacterSet set) {
    LineReader reader(read_end_.get());
    std::vector<std::string> all;
    while (auto piece = reader.next_piece(limit, set)) all.push_back(*piece);
    return all;
  }

 private:
  UniqueFd read_end_;
};

TEST(LineReader, DeliversLinesThenTheUnterminatedRestThenTheEnd) {
  PipedInput input("one\r\n\ntwo  \nlast");
  EXPECT_EQ(input.pieces(2048, CharacterSet::gbk),
            (std::vector<std::string>{"one\r\n", "\n", "two  \n", "last"}));
}

TEST(LineReader, CutsALongLineIntoPiecesOfTheLimit) {
  const std::string line = std::string(2048, 'a') + std::string(100, 'b') + "\n";
  PipedInput input(line + "next\n");
  EXPECT_EQ(input.pieces(2048, CharacterSet::gbk),
            (std::vector<std::string>{std::string(2048, 'a'), std::string(100, 'b') + "\n",
                                      "next\n"}));
}

TEST(LineReader, NeverEndsAPieceInsideACharacter) {
  // "字" is two bytes in GBK and three in UTF-8.
  PipedInput gbk("ab\xd7\xd6\n");
  EXPECT_EQ(gbk.pieces(3, CharacterSet::gbk),
            (std::vector<std::string>{"ab", "\xd7\xd6\n"}));
  PipedInput utf8("ab\xe5\xad\x97\n");
  EXPECT_EQ(utf8.pieces(4, CharacterSet::utf8),
            (std::vector<std::string>{"ab", "\xe5\xad\x97\n"}));
}

TEST(LineReader, EmptyInputEndsAtOnce) {
  PipedInput input("");
  EXPECT_TRUE(input.pieces(2048, CharacterSet::utf8).empty());
}

}  // namespace
}  // namespace ff
