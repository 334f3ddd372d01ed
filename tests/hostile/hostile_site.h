#pragma once
// The hostile website: one link per misbehaviour, each ending in ".ttf" so that the
// dialogue accepts it, served by a RawServer.

#include <string>
#include <string_view>
#include <vector>

#include "tests/hostile/raw_server.h"

namespace ff::testing {

// What a sound dialogue makes of a case's answer.
enum class Expected { saved, refused, either };

struct HostileCase {
  std::string_view name;  // shown in the table
  std::string_view path;  // the link's path on the site
  Expected expected;
  // What a saved answer must leave on the Desktop: `body` followed by `filler_bytes`
  // bytes 'a' (made on the fly, so that no copy of a huge body sits in the test).
  std::string_view body = {};
  std::size_t filler_bytes = 0;
  bool over_tls = false;  // the link is https:// to the plain-text site
  // For a refused answer: the reason the dialogue gives after "#ERROR:" (UTF-8).
  std::string_view reason = {};
};

// Every case, in the order the suite runs them.
const std::vector<HostileCase>& hostile_cases();

// Whether the file holds exactly what a saved answer of the case must leave.
bool holds_answer(const std::string& path, const HostileCase& c);

// Answers the request for `path` as the case of that path misbehaves.
void answer_hostile(const std::string& path, const Connection& connection);

}  // namespace ff::testing
