#include "automation/variant.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "automation/dispatch.h"
#include "automation/object_call.h"

namespace ff {
namespace {

std::u16string widen_ascii(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

char16_t ascii_lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool equals_ignoring_case(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, [](char16_t x, char16_t y) {
    return ascii_lower(x) == ascii_lower(y);
  });
}

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view trim_blanks(std::u16string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// "&H1F" (hex) or "&O17" (octal), digits only after the prefix.
std::optional<double> parse_radix(std::u16string_view s) {
  const int base = ascii_lower(s[1]) == u'h' ? 16 : ascii_lower(s[1]) == u'o' ? 8 : 0;
  s.remove_prefix(2);
  if (base == 0 || s.empty() || s.size() > 16) return std::nullopt;
  if (!std::ranges::all_of(s, [](char16_t c) { return c < 0x80; })) return std::nullopt;
  const std::string ascii(s.begin(), s.end());
  unsigned long long value = 0;
  auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, base);
  if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return static_cast<double>(value);
}

// Appends the digits of s[i..] to `out` while they (and thousands separators between
// digits, when allowed) continue; answers the position after them.
std::size_t take_digits(std::u16string_view s, std::size_t i, bool separators, std::string& out) {
  while (i < s.size()) {
    if (is_digit(s[i])) {
      out += static_cast<char>(s[i++]);
    } else if (separators && s[i] == u',' && !out.empty() && i + 1 < s.size() &&
               is_digit(s[i + 1])) {
      ++i;
    } else {
      break;
    }
  }
  return i;
}

// Digits with thousands separators, one optional ".", an optional exponent.
std::optional<double> parse_decimal(std::u16string_view s) {
  std::string ascii;
  std::size_t i = take_digits(s, 0, true, ascii);
  const std::size_t integer_digits = ascii.size();
  if (i < s.size() && s[i] == u'.') {
    ascii += '.';
    const std::size_t before = ascii.size();
    i = take_digits(s, i + 1, false, ascii);
    if (integer_digits == 0 && ascii.size() == before) return std::nullopt;
  } else if (integer_digits == 0) {
    return std::nullopt;
  }
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    ascii += 'e';
    if (++i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += static_cast<char>(s[i++]);
    const std::size_t before = ascii.size();
    i = take_digits(s, i, false, ascii);
    if (ascii.size() == before) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Peels one sign off the number: "(5)", a leading or a trailing "+"/"-".
bool take_sign(std::u16string_view& s, bool& negative) {
  negative = false;
  if (s.size() >= 2 && s.front() == u'(' && s.back() == u')') {
    s = s.substr(1, s.size() - 2);
    negative = true;
  } else if (!s.empty() && (s.front() == u'+' || s.front() == u'-')) {
    negative = s.front() == u'-';
    s.remove_prefix(1);
  } else if (!s.empty() && (s.back() == u'+' || s.back() == u'-')) {
    negative = s.back() == u'-';
    s.remove_suffix(1);
  }
  return !s.empty();
}

// The conversions of an object: its default value, converted by the same rules. A
// default value that is itself an object does not convert.
template <typename Convert>
auto via_default_value(const ComObject& object, Convert convert)
    -> decltype(convert(Variant())) {
  if (object.is_empty()) return std::nullopt;
  std::optional<Variant> value = guarded_object_call([&] { return object.get()->default_value(); });
  if (!value || value->holds<ComObject>()) return std::nullopt;
  return convert(*value);
}

// "true"/"false" in any case, "#TRUE#"/"#FALSE#" exactly, else a number, non-zero true.
std::optional<bool> string_to_bool(std::u16string_view s) {
  if (equals_ignoring_case(s, u"true") || s == u"#TRUE#") return true;
  if (equals_ignoring_case(s, u"false") || s == u"#FALSE#") return false;
  std::optional<double> number = parse_number(s);
  if (!number) return std::nullopt;
  return *number != 0;
}

}  // namespace

std::u16string number_to_string(double value) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (error != std::errc()) return u"";
  std::u16string text(buffer, end);
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c -= u'a' - u'A';  // "%G" writes "E", "INF", "NAN"
  }
  return text;
}

std::optional<double> parse_number(std::u16string_view text) {
  std::u16string_view s = trim_blanks(text);
  bool negative = false;
  if (!take_sign(s, negative)) return std::nullopt;
  const bool radix = s.size() >= 2 && s[0] == u'&';
  std::optional<double> value = radix ? parse_radix(s) : parse_decimal(s);
  if (value && negative) *value = -*value;
  return value;
}

std::optional<std::u16string> Variant::to_string() const {
  struct Visit {
    std::optional<std::u16string> operator()(std::monostate) const { return u""; }
    std::optional<std::u16string> operator()(Null) const { return std::nullopt; }
    std::optional<std::u16string> operator()(bool b) const { return b ? u"-1" : u"0"; }
    std::optional<std::u16string> operator()(std::int32_t i) const {
      return widen_ascii(std::to_string(i));
    }
    std::optional<std::u16string> operator()(double d) const { return number_to_string(d); }
    std::optional<std::u16string> operator()(const std::u16string& s) const { return s; }
    std::optional<std::u16string> operator()(const ByteArray&) const { return std::nullopt; }
    std::optional<std::u16string> operator()(const ComObject& o) const {
      return via_default_value(o, [](const Variant& v) { return v.to_string(); });
    }
  };
  return std::visit(Visit{}, value_);
}

std::optional<double> Variant::to_number() const {
  struct Visit {
    std::optional<double> operator()(std::monostate) const { return 0.0; }
    std::optional<double> operator()(Null) const { return std::nullopt; }
    std::optional<double> operator()(bool b) const { return b ? -1.0 : 0.0; }
    std::optional<double> operator()(std::int32_t i) const { return i; }
    std::optional<double> operator()(double d) const { return d; }
    std::optional<double> operator()(const std::u16string& s) const { return parse_number(s); }
    std::optional<double> operator()(const ByteArray&) const { return std::nullopt; }
    std::optional<double> operator()(const ComObject& o) const {
      return via_default_value(o, [](const Variant& v) { return v.to_number(); });
    }
  };
  return std::visit(Visit{}, value_);
}

std::optional<bool> Variant::to_bool() const {
  struct Visit {
    std::optional<bool> operator()(std::monostate) const { return false; }
    std::optional<bool> operator()(Null) const { return std::nullopt; }
    std::optional<bool> operator()(bool b) const { return b; }
    std::optional<bool> operator()(std::int32_t i) const { return i != 0; }
    std::optional<bool> operator()(double d) const { return d != 0; }
    std::optional<bool> operator()(const std::u16string& s) const { return string_to_bool(s); }
    std::optional<bool> operator()(const ByteArray&) const { return std::nullopt; }
    std::optional<bool> operator()(const ComObject& o) const {
      return via_default_value(o, [](const Variant& v) { return v.to_bool(); });
    }
  };
  return std::visit(Visit{}, value_);
}

}  // namespace ff
