#pragma once
// The boundary of every call into an automation object: whatever the object throws
// becomes a failed call (nullopt). Nothing else in this library catches.

#include <optional>

#include "automation/variant.h"

namespace ff {

template <typename Call>
std::optional<Variant> guarded_object_call(Call&& call) noexcept {
  try {
    return call();
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace ff
