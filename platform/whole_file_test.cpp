#include "platform/whole_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/ending_signal_cleanup.h"
#include "platform/locale_encoding.h"
#include "platform/queued_file.h"
#include "platform/test_folder.h"

namespace ff {
namespace {

namespace fs = std::filesystem;

std::string file_content(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WholeFileTest : public ::testing::Test {
 protected:
  // The names in the folder, so a test can see that no temporary file stayed behind.
  std::vector<std::string> names() const {
    std::vector<std::string> all;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
      all.push_back(entry.path().filename().string());
    }
    std::sort(all.begin(), all.end());
    return all;
  }
  void make_old_file() { std::ofstream(target_, std::ios::binary) << kOld; }

  static constexpr std::string_view kOld = "the old content, longer than the new one";
  TestFolder folder_;
  std::string target_ = folder_ / "font.ttf";
};

TEST_F(WholeFileTest, ReplacesAnExistingFileWhole) {
  make_old_file();
  const Bytes font = bytes_of(std::string_view("\0\1\0\0new", 7));
  const FileWriteResult result = write_whole_file(Text(target_), font);
  ASSERT_TRUE(result.ok) << result.reason;
  EXPECT_EQ(file_content(target_), std::string("\0\1\0\0new", 7));
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});
}

TEST_F(WholeFileTest, CreatesAnEmptyFileWithTheUmasksPermissions) {
  const mode_t old_mask = ::umask(022);
  const FileWriteResult result = write_whole_file(Text(target_), Bytes{});
  ::umask(old_mask);
  ASSERT_TRUE(result.ok) << result.reason;
  struct stat info {};
  ASSERT_EQ(::stat(target_.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(WholeFileTest, KeepsAReplacedFilesPermissions) {
  make_old_file();
  ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
  ASSERT_TRUE(write_whole_file(Text(target_), bytes_of("x")).ok);
  struct stat info {};
  ASSERT_EQ(::stat(target_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(WholeFileTest, FailsWithAReasonForAMissingFolderOrAnEmptyPath) {
  const FileWriteResult missing = write_whole_file(Text(folder_ / "gone/font.ttf"), bytes_of("x"));
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.reason, "No such file or directory");
  EXPECT_TRUE(names().empty());
  const FileWriteResult empty = write_whole_file(Text(), bytes_of("x"));
  EXPECT_FALSE(empty.ok);
  EXPECT_FALSE(empty.reason.empty());
}

TEST_F(WholeFileTest, LeavesAFolderInTheWayAndNoTemporaryFile) {
  fs::create_directory(target_);
  std::ofstream(target_ + "/inside") << "kept";
  const FileWriteResult result = write_whole_file(Text(target_), bytes_of("x"));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_EQ(file_content(target_ + "/inside"), "kept");
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});
}

TEST_F(WholeFileTest, KeepsTheOldFileWhenTheWriteBreaksOff) {
  make_old_file();
  // A file size limit makes the write fail part-way, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileWriteResult result = write_whole_file(Text(target_), Bytes(5000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason, "File too large");
  EXPECT_EQ(file_content(target_), kOld);
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});
}

TEST_F(WholeFileTest, KeepsTheOldFileInAFolderThatCannotBeWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  make_old_file();
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0555), 0);
  const FileWriteResult result = write_whole_file(Text(target_), bytes_of("x"));
  ::chmod(folder_.path().c_str(), 0755);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason, "Permission denied");
  EXPECT_EQ(file_content(target_), kOld);
}

// A file written piece by piece: past the write-back step, read back, begun again.
TEST_F(WholeFileTest, ReplacementWrittenInPiecesTakesThePlaceOnlyAtTheCommit) {
  make_old_file();
  FileReplacement file{Text(target_)};
  ASSERT_TRUE(file.ok()) << file.reason();
  ASSERT_TRUE(file.append(bytes_of("first attempt")));
  ASSERT_TRUE(file.restart());
  Bytes expected;
  for (int i = 0; i < 20; ++i) {  // 10 MiB in 512 KiB pieces
    const Bytes piece(std::size_t{512} << 10, static_cast<std::uint8_t>('a' + i));
    ASSERT_TRUE(file.append(piece));
    expected.insert(expected.end(), piece.begin(), piece.end());
  }
  EXPECT_EQ(file.size(), expected.size());
  Bytes start(4);
  ASSERT_EQ(file.read((std::size_t{512} << 10) - 2, start), 4u);
  EXPECT_EQ(start, bytes_of("aabb"));
  EXPECT_EQ(file_content(target_), kOld);
  EXPECT_EQ(names().size(), 2u);  // the target and the hidden temporary file

  ASSERT_TRUE(file.commit().ok);
  EXPECT_EQ(file_content(target_), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});
  EXPECT_FALSE(file.commit().ok);  // spent
}

TEST_F(WholeFileTest, ReplacementDroppedWithoutACommitLeavesNothing) {
  make_old_file();
  {
    FileReplacement file{Text(target_)};
    ASSERT_TRUE(file.append(bytes_of("never saved")));
  }
  EXPECT_EQ(file_content(target_), kOld);
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});
}

// Written on its own thread: many small pieces and blocks more than the queue holds,
// read back, begun again; and a write failure reaches the caller.
TEST_F(WholeFileTest, QueuedWriterKeepsTheOrderAndReportsAFailure) {
  make_old_file();
  std::string expected;
  {
    QueuedFileWriter file{Text(target_)};
    ASSERT_TRUE(file.ok()) << file.reason();
    ASSERT_TRUE(file.append(bytes_of("to be dropped")));
    ASSERT_TRUE(file.restart());
    const std::size_t total = (QueuedFileWriter::kBlocksQueued + 3) * QueuedFileWriter::kBlockSize + 5;
    for (std::size_t i = 0; expected.size() < total; ++i) {
      const std::string piece(1 + i % 70000, static_cast<char>('a' + i % 26));
      ASSERT_TRUE(file.append(bytes_of(piece)));
      expected += piece;
    }
    Bytes back(6);
    ASSERT_EQ(file.read(expected.size() - 3, back), 3u);
    EXPECT_EQ(std::string(back.begin(), back.begin() + 3), expected.substr(expected.size() - 3));
    EXPECT_EQ(file_content(target_), kOld);
    ASSERT_TRUE(file.commit().ok);
  }
  EXPECT_TRUE(file_content(target_) == expected);
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = QueuedFileWriter::kBlockSize + 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  FileWriteResult result;
  {
    QueuedFileWriter file{Text(target_)};
    const Bytes block(QueuedFileWriter::kBlockSize, 'n');
    for (int i = 0; i < 3 && file.append(block); ++i) {
    }
    result = file.commit();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason, "File too large");
  EXPECT_TRUE(file_content(target_) == expected);
  EXPECT_EQ(names(), std::vector<std::string>{"font.ttf"});
}

void own_handler(int) {}

// The removal takes the default action's place only, and gives it back afterwards.
TEST(RemovedOnEndingSignalTest, LeavesAProgramsOwnHandlingAlone) {
  const auto handler_of = [](int signal_number) {
    struct sigaction current {};
    ::sigaction(signal_number, nullptr, &current);
    return current.sa_handler;
  };
  const auto old_term = std::signal(SIGTERM, own_handler);
  const auto old_hup = std::signal(SIGHUP, SIG_IGN);
  const auto old_int = std::signal(SIGINT, SIG_DFL);
  {
    const RemovedOnEndingSignal one("/nonexistent/a");
    const RemovedOnEndingSignal two("/nonexistent/b");
    EXPECT_EQ(handler_of(SIGTERM), &own_handler);
    EXPECT_EQ(handler_of(SIGHUP), SIG_IGN);
    EXPECT_NE(handler_of(SIGINT), SIG_DFL);
  }
  EXPECT_EQ(handler_of(SIGINT), SIG_DFL);
  EXPECT_EQ(handler_of(SIGTERM), &own_handler);
  std::signal(SIGTERM, old_term);
  std::signal(SIGHUP, old_hup);
  std::signal(SIGINT, old_int);
}

TEST_F(WholeFileTest, NamesTheFileInTheLocalesEncoding) {
  const Text gbk_name = Text(folder_.path().string() + "/\xd7\xd6\xcc\xe5.ttf");  // "字体.ttf"
  ASSERT_TRUE(write_whole_file(gbk_name, bytes_of("x")).ok);
  const std::string expected = locale_is_gb() ? "\xd7\xd6\xcc\xe5.ttf" : "\xe5\xad\x97\xe4\xbd\x93.ttf";
  EXPECT_EQ(names(), std::vector<std::string>{expected});
}

}  // namespace
}  // namespace ff
