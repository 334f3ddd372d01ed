#include "platform/codepage.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

namespace ff {
namespace {

constexpr const char* kGbk = "CP936";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One iconv conversion descriptor; move-only, closed with its owner.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == invalid()) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  IconvHandle(IconvHandle&& other) noexcept : cd_(std::exchange(other.cd_, invalid())) {}
  IconvHandle& operator=(IconvHandle&& other) noexcept {
    std::swap(cd_, other.cd_);
    return *this;
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  ~IconvHandle() {
    if (cd_ != invalid()) iconv_close(cd_);
  }
  [[nodiscard]] iconv_t get() const { return cd_; }

 private:
  static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

// What to write in place of the input where iconv stopped, and how much input it covers.
struct Substitute {
  std::size_t skip;
  std::string_view with;  // in the target encoding
};
using BadInputRule = Substitute (*)(std::string_view rest);

// Replacements, spelled in each target encoding.
constexpr std::string_view kQuestion = "?";
constexpr std::string_view kTwoQuestions = "??";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD
constexpr char16_t kQuestionWide[] = u"?";
constexpr char16_t kReplacementWide[] = u"\uFFFD";

std::string_view wide_bytes(const char16_t* unit) {
  return {reinterpret_cast<const char*>(unit), sizeof(char16_t)};
}

bool is_gbk_lead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool is_gbk_trail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

// An invalid GBK sequence covers a lead byte with its trail byte, or one byte alone.
std::size_t bad_gbk_length(std::string_view rest) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(rest[i]); };
  return rest.size() >= 2 && is_gbk_lead(b(0)) && is_gbk_trail(b(1)) ? 2 : 1;
}

// The length of the UTF-8 sequence at the start of `rest`: a whole character when it
// is well formed, else its longest well-formed prefix (at least one byte), so that a
// broken sequence gives one replacement, as Unicode recommends.
std::size_t utf8_sequence_length(std::string_view rest, bool& well_formed) {
  const auto b0 = static_cast<unsigned char>(rest[0]);
  std::size_t need = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  }
  std::size_t i = 1;
  for (; i <= need && i < rest.size(); ++i) {
    const auto b = static_cast<unsigned char>(rest[i]);
    if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF)) break;
  }
  well_formed = need > 0 && i == need + 1;
  return i;
}

bool starts_with_surrogate_pair(std::string_view rest) {
  if (rest.size() < 2 * sizeof(char16_t)) return false;
  char16_t units[2];
  std::memcpy(units, rest.data(), sizeof units);
  return units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 && units[1] <= 0xDFFF;
}

Substitute gbk_to_wide_rule(std::string_view rest) {
  return {bad_gbk_length(rest), wide_bytes(kQuestionWide)};
}
Substitute gbk_to_utf8_rule(std::string_view rest) { return {bad_gbk_length(rest), kQuestion}; }

// A character GBK lacks becomes '?'; one outside the BMP (two UTF-16 units) "??".
Substitute wide_to_gbk_rule(std::string_view rest) {
  if (starts_with_surrogate_pair(rest)) return {2 * sizeof(char16_t), kTwoQuestions};
  return {std::min(rest.size(), sizeof(char16_t)), kQuestion};
}
// Only a lone surrogate stops this direction.
Substitute wide_to_utf8_rule(std::string_view rest) {
  return {std::min(rest.size(), sizeof(char16_t)), kReplacementUtf8};
}

Substitute utf8_to_gbk_rule(std::string_view rest) {
  bool well_formed = false;
  const std::size_t length = utf8_sequence_length(rest, well_formed);
  return {length, well_formed && length == 4 ? kTwoQuestions : kQuestion};
}
Substitute utf8_to_wide_rule(std::string_view rest) {
  bool well_formed = false;
  return {utf8_sequence_length(rest, well_formed), wide_bytes(kReplacementWide)};
}

struct Route {
  const char* from;
  const char* to;
  BadInputRule on_bad_input;
  std::size_t max_growth;  // output bytes per input byte, at most
};

enum RouteId { kGbkToWide, kWideToGbk, kGbkToUtf8, kUtf8ToGbk, kWideToUtf8, kUtf8ToWide, kRoutes };

constexpr std::array<Route, kRoutes> kRouteTable = {{
    {kGbk, kUtf16, gbk_to_wide_rule, 2},
    {kUtf16, kGbk, wide_to_gbk_rule, 1},
    {kGbk, kUtf8, gbk_to_utf8_rule, 3},
    {kUtf8, kGbk, utf8_to_gbk_rule, 1},
    {kUtf16, kUtf8, wide_to_utf8_rule, 2},
    {kUtf8, kUtf16, utf8_to_wide_rule, 2},
}};

// Descriptors are opened once per thread and route, and reset before each use.
iconv_t descriptor(RouteId id) {
  thread_local std::array<std::optional<IconvHandle>, kRoutes> cache;
  auto& slot = cache[id];
  if (!slot) slot.emplace(kRouteTable[id].to, kRouteTable[id].from);
  iconv(slot->get(), nullptr, nullptr, nullptr, nullptr);
  return slot->get();
}

// The output string, filled byte by byte through iconv and grown on demand.
template <typename CharT>
class Output {
 public:
  explicit Output(std::size_t bytes) : text_((bytes + sizeof(CharT)) / sizeof(CharT), CharT{}) {}
  char* tail() { return bytes() + used_; }
  [[nodiscard]] std::size_t room() const { return text_.size() * sizeof(CharT) - used_; }
  void commit(const char* new_tail) { used_ = static_cast<std::size_t>(new_tail - bytes()); }
  void grow() { text_.resize(text_.size() * 2 + 16); }
  void append(std::string_view more) {
    while (room() < more.size()) grow();
    std::memcpy(tail(), more.data(), more.size());
    used_ += more.size();
  }
  std::basic_string<CharT> finish() && {
    text_.resize(used_ / sizeof(CharT));
    if (text_.size() < text_.capacity() / 2) text_.shrink_to_fit();  // the guess was generous
    return std::move(text_);
  }

 private:
  char* bytes() { return reinterpret_cast<char*>(text_.data()); }
  std::basic_string<CharT> text_;
  std::size_t used_ = 0;
};

// Converts the whole input in bulk; only where iconv stops on a bad or unmappable
// sequence does the route's rule write a replacement and step over it.
template <typename CharT>
std::basic_string<CharT> convert(RouteId id, std::string_view input) {
  const Route& route = kRouteTable[id];
  iconv_t cd = descriptor(id);
  Output<CharT> out(input.size() * route.max_growth + 8);
  char* src = const_cast<char*>(input.data());
  std::size_t left = input.size();
  while (left > 0) {
    char* dst = out.tail();
    std::size_t room = out.room();
    const std::size_t done = iconv(cd, &src, &left, &dst, &room);
    out.commit(dst);
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.grow();
      continue;
    }
    const Substitute sub = route.on_bad_input({src, left});
    out.append(sub.with);
    src += sub.skip;
    left -= sub.skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return std::move(out).finish();
}

std::string_view as_bytes(std::u16string_view wide) {
  return {reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(char16_t)};
}

}  // namespace

std::u16string gbk_to_utf16(std::string_view gbk) { return convert<char16_t>(kGbkToWide, gbk); }
std::string utf16_to_gbk(std::u16string_view wide) {
  return convert<char>(kWideToGbk, as_bytes(wide));
}
std::string gbk_to_utf8(std::string_view gbk) { return convert<char>(kGbkToUtf8, gbk); }
std::string utf8_to_gbk(std::string_view utf8) { return convert<char>(kUtf8ToGbk, utf8); }
std::string utf16_to_utf8(std::u16string_view wide) {
  return convert<char>(kWideToUtf8, as_bytes(wide));
}
std::u16string utf8_to_utf16(std::string_view utf8) {
  return convert<char16_t>(kUtf8ToWide, utf8);
}

}  // namespace ff
