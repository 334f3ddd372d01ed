#include "platform/path_extension.h"

#include <gtest/gtest.h>

#include <string>

namespace ff {
namespace {

struct ExtensionCase {
  std::string path;
  std::string extension;
};

TEST(PathFindExtension, FollowsTheDocumentedContractAndTheLinuxDecisions) {
  const ExtensionCase cases[] = {
      {"file.txt", ".txt"},
      {"file.txt.doc", ".doc"},
      {"file", ""},
      {"", ""},
      {"a.", "."},
      {".bashrc", ".bashrc"},
      {"file.txt bar", ""},  // an extension holds no blank
      {"a. ", ""},
      {"file.txt bar.doc", ".doc"},
      {"dir.d\\file", ""},
      {"dir.d/file", ""},  // "/" separates like "\\"
      {"https://a.b/c/font.ttf?x=1#y", ".ttf"},
      {"https://a.b/c/font.ttf#y.z", ".ttf"},
      {"https://a.b/c/font?name=x.ttf", ""},  // the query is not part of the path
      {"https://a.b/c/font", ""},
      {"   ", ""},
      // GBK pairs walk together: a trail byte 0x5C is no separator.
      {"a.\x95\x5c", ".\x95\x5c"},
      {"\xd7\xd6\xcc\xe5.ttf", ".ttf"},
      {"a.b\x95", ".b\x95"},  // a lead byte cut off at the end stands alone
  };
  for (const auto& row : cases) {
    SCOPED_TRACE("path: " + row.path);
    EXPECT_EQ(path_find_extension(row.path), row.extension);
  }
}

TEST(PathFindExtension, AnswersAViewAtTheEndOfThePathWhenThereIsNone) {
  const std::string link = "https://a.b/c/font?x=1";
  const std::string_view none = path_find_extension(link);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.data(), link.data() + link.find('?'));
  const std::string plain = "file";
  EXPECT_EQ(path_find_extension(plain).data(), plain.data() + plain.size());
}

}  // namespace
}  // namespace ff
