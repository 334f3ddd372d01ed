#pragma once
// The process-wide console record: created at start-up, released by the exit hook.

#include "platform/console_io.h"

namespace ff {

// Creates the record from the standard handles and keeps it for the process.
void create_console();

// The exit hook: frees the record. The handles themselves stay open.
void release_console();

// The record; null before create_console and after release_console.
[[nodiscard]] const ConsoleHandles* console_handles();

}  // namespace ff
