#include "automation/dispatch.h"

namespace ff {
namespace {
thread_local int init_count = 0;
}  // namespace

void CoInitialize(const void* /*reserved*/) { ++init_count; }

void CoUninitialize() {
  if (init_count > 0) --init_count;
}

int component_init_count() { return init_count; }

}  // namespace ff
