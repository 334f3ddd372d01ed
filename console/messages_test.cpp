#include "console/messages.h"

#include <gtest/gtest.h>

#include "console/testing/dialogue_fixture.h"

namespace ff {
namespace {

using testing::gbk;

struct MessageCase {
  const char* name;
  std::string written;
  std::u8string_view expected;  // as it reads; compared as GBK bytes
};

TEST(Messages, AreTheDialoguesGbkTextsByteForByte) {
  const MessageCase cases[] = {
      {"M1", std::string(messages::prompt_tip), u8"Tips：复制链接后鼠标右键单击窗口粘贴，回车键确认：\r\n"},
      {"M2", std::string(messages::prompt), u8"请输入要下载的链接："},
      {"M3", std::string(messages::enter_again), u8"请重新输入\r\n"},
      {"M4", std::string(messages::wrong_link), u8"错误的链接\r\n"},
      {"M5", std::string(messages::preparing), u8"正在准备下载字体....\r\n"},
      {"M6", messages::error_line("busy").str(), u8"#ERROR:busy\r\n"},
      {"M6 empty", messages::error_line("").str(), u8"#ERROR:\r\n"},
      {"M7 first", messages::refresh_line(1).str(), u8"正在刷新页面，已刷新：1 次\r\n"},
      {"M7 last", messages::refresh_line(1000).str(), u8"正在刷新页面，已刷新：1000 次\r\n"},
      {"M8", std::string(messages::leaving_queue), u8"已退出排队，正在下载...\r\n"},
      {"M9", std::string(messages::saved), u8"下载成功，已保存到桌面，按回车键结束。\r\n"},
      {"M10", std::string(messages::failed), u8"下载失败，按回车键结束。\r\n"},
      {"waiting sentence", std::string(messages::waiting_sentence_gbk), u8"当前普通下载线路非常拥挤"},
      {"file stem", std::string(messages::file_stem), u8"字体"},
      {"status", messages::status_refused(404).str(), u8"服务器返回 404"},
      {"no connection", std::string(messages::no_connection), u8"无法连接服务器"},
      {"timed out", std::string(messages::timed_out), u8"服务器响应超时"},
      {"broken", std::string(messages::broken_answer), u8"下载中断"},
      {"secure", std::string(messages::secure_connection_failed), u8"安全连接失败"},
      {"redirects", std::string(messages::too_many_redirects), u8"重定向次数过多"},
      {"save", messages::save_refused("/d/x", "Permission denied").str(),
       u8"无法保存文件 /d/x：Permission denied"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.written, gbk(row.expected));
  }
  EXPECT_EQ(std::u8string_view(reinterpret_cast<const char8_t*>(messages::waiting_sentence_utf8.data()),
                               messages::waiting_sentence_utf8.size()),
            u8"当前普通下载线路非常拥挤");
}

}  // namespace
}  // namespace ff
