#include "platform/body_spool.h"

#include <utility>

namespace ff {
namespace {
thread_local BodySpool* installed_spool = nullptr;
}  // namespace

BodySpool* set_body_spool(BodySpool* spool) { return std::exchange(installed_spool, spool); }

BodySpool* current_body_spool() { return installed_spool; }

}  // namespace ff
