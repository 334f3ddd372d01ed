#pragma once
// Where the body of a long answer goes instead of memory.
//
// A caller that would only write a long body to a file anyway installs a spool on its
// thread for the exchanges it runs there. The body is held in memory while it is short;
// once it grows past the spool's hold limit, what was held and every later piece go to
// the spool, and the answer keeps only the bytes held until then (its "head").

#include <cstddef>
#include <cstdint>
#include <span>

namespace ff {

class BodySpool {
 public:
  virtual ~BodySpool() = default;

  // The body is held in memory up to this many bytes.
  [[nodiscard]] virtual std::size_t hold_limit() const = 0;
  // The body has outgrown the limit; `held` is all of it so far. False: the spool cannot
  // take it, and the body stays in memory.
  virtual bool begin(std::span<const std::uint8_t> held) = 0;
  // The next piece of a body the spool has begun. False abandons the exchange.
  virtual bool add(std::span<const std::uint8_t> bytes) = 0;
  // A new answer begins in the same exchange (a redirect followed): what the spool took
  // belongs to an answer that is not the final one.
  virtual void restart() = 0;
};

// Installs `spool` for exchanges on the calling thread (null removes it) and answers the
// one it replaces.
BodySpool* set_body_spool(BodySpool* spool);
// The spool installed on the calling thread, or null.
BodySpool* current_body_spool();

// Installs a spool for as long as it lives.
class ScopedBodySpool {
 public:
  explicit ScopedBodySpool(BodySpool& spool) : previous_(set_body_spool(&spool)) {}
  ~ScopedBodySpool() { set_body_spool(previous_); }
  ScopedBodySpool(const ScopedBodySpool&) = delete;
  ScopedBodySpool& operator=(const ScopedBodySpool&) = delete;

 private:
  BodySpool* previous_;
};

}  // namespace ff
