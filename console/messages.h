#pragma once
// Every text the download dialogue writes, as GBK bytes, and the waiting sentence it
// looks for. The only home of these texts.

#include <string_view>

#include "text/types.h"

namespace ff::messages {

// M1..M5 and M8..M10, written as they stand.
extern const std::string_view prompt_tip;      // M1
extern const std::string_view prompt;          // M2, no line end: the link follows on its line
extern const std::string_view enter_again;     // M3
extern const std::string_view wrong_link;      // M4
extern const std::string_view preparing;       // M5
extern const std::string_view leaving_queue;   // M8
extern const std::string_view saved;           // M9
extern const std::string_view failed;          // M10

// M6: "#ERROR:" + detail + CR LF.
[[nodiscard]] Text error_line(std::string_view detail);
// M7: "正在刷新页面，已刷新：" + attempt in decimal + " 次" + CR LF.
[[nodiscard]] Text refresh_line(int attempt);

// The sentence of the website's waiting page ("当前普通下载线路非常拥挤"), as the page
// carries it in GBK and in UTF-8.
extern const std::string_view waiting_sentence_gbk;
extern const std::string_view waiting_sentence_utf8;

// The name of the saved file before its extension: "字体".
extern const std::string_view file_stem;

// Reasons shown after "#ERROR:" when an answer is not saved.
extern const std::string_view no_connection;   // "无法连接服务器"
extern const std::string_view timed_out;       // "服务器响应超时"
extern const std::string_view broken_answer;   // "下载中断"
extern const std::string_view secure_connection_failed;  // "安全连接失败"
extern const std::string_view too_many_redirects;        // "重定向次数过多"
extern const std::string_view empty_answer;    // "服务器返回的内容为空"
[[nodiscard]] Text status_refused(int status);  // "服务器返回 404"
// "无法保存文件 " + path + "：" + the file system's reason.
[[nodiscard]] Text save_refused(std::string_view path, std::string_view reason);

// The progress line of a running download: "已接收 " + amount ... "，速度 " + rate.
extern const std::string_view progress_received;
extern const std::string_view progress_rate;

}  // namespace ff::messages
