#pragma once
// The download dialogue: the whole user-facing program.

#include "console/environment.h"

namespace ff {

// Asks for a font's download link until one is saved:
//   an empty line            -> "请重新输入", and the prompt again;
//   a link without extension -> "错误的链接", and the prompt again, nothing requested;
//   otherwise the screen is cleared, the link polled (console/polling.h), and a run that
//   saved nothing ends with "下载失败，按回车键结束。" and the prompt again.
// After a saved file it says so, waits for Enter (read without echo) and answers 0. It
// also answers 0 when the input ends.
int run_downloader(const DialogueEnvironment& environment);

// The dialogue on the platform's console, with a progress line on a terminal's
// standard error while a long download runs.
int run_downloader();

}  // namespace ff
