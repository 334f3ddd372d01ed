#pragma once
// Variant: the value that crosses the automation boundary, and its conversions.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace ff {

class Dispatch;

// A handle to an automation object. Empty or referring to one object; copying adds a
// reference, reset() drops it, and the object ends with its last reference.
class ComObject {
 public:
  ComObject() = default;
  explicit ComObject(std::shared_ptr<Dispatch> object) : object_(std::move(object)) {}

  [[nodiscard]] bool is_empty() const { return object_ == nullptr; }
  void reset() { object_.reset(); }
  [[nodiscard]] Dispatch* get() const { return object_.get(); }
  [[nodiscard]] long use_count() const { return object_.use_count(); }
  friend bool operator==(const ComObject&, const ComObject&) = default;

 private:
  std::shared_ptr<Dispatch> object_;
};

struct Null {
  friend bool operator==(Null, Null) = default;
};

// A byte array shared between copies of a Variant, so that a large answer body is not
// copied as it crosses the boundary. Nobody changes the bytes once they are wrapped.
class ByteArray {
 public:
  ByteArray() = default;
  ByteArray(std::vector<std::uint8_t> bytes)  // NOLINT: implicit by design
      : data_(std::make_shared<std::vector<std::uint8_t>>(std::move(bytes))) {}
  explicit ByteArray(std::shared_ptr<std::vector<std::uint8_t>> shared)
      : data_(std::move(shared)) {}

  [[nodiscard]] std::span<const std::uint8_t> view() const {
    return data_ ? std::span<const std::uint8_t>(*data_) : std::span<const std::uint8_t>();
  }
  // The bytes as an owned vector: moved out when this is their only holder, else copied.
  [[nodiscard]] std::vector<std::uint8_t> take() && {
    if (!data_) return {};
    if (data_.use_count() == 1) return std::move(*data_);
    return *data_;
  }
  friend bool operator==(const ByteArray& a, const ByteArray& b) {
    return std::ranges::equal(a.view(), b.view());
  }

 private:
  std::shared_ptr<std::vector<std::uint8_t>> data_;
};

// empty, null, bool, 32-bit integer, double, wide string, byte array, object.
class Variant {
 public:
  using Value = std::variant<std::monostate, Null, bool, std::int32_t, double, std::u16string,
                             ByteArray, ComObject>;

  Variant() = default;
  Variant(Null) : value_(Null{}) {}                                    // NOLINT
  Variant(bool b) : value_(b) {}                                       // NOLINT
  Variant(std::int32_t i) : value_(i) {}                               // NOLINT
  Variant(double d) : value_(d) {}                                     // NOLINT
  Variant(std::u16string s) : value_(std::move(s)) {}                  // NOLINT
  Variant(const char16_t* s) : value_(std::u16string(s)) {}            // NOLINT
  Variant(std::vector<std::uint8_t> b) : value_(ByteArray(std::move(b))) {}  // NOLINT
  Variant(ByteArray b) : value_(std::move(b)) {}                       // NOLINT
  Variant(ComObject o) : value_(std::move(o)) {}                       // NOLINT

  [[nodiscard]] const Value& value() const { return value_; }
  Value& value() { return value_; }
  template <typename T>
  [[nodiscard]] bool holds() const { return std::holds_alternative<T>(value_); }
  template <typename T>
  [[nodiscard]] const T* get_if() const { return std::get_if<T>(&value_); }

  // The conversions of the automation value type (VariantChangeType, flags 0).
  // nullopt when the conversion fails; callers turn that into the empty value.
  [[nodiscard]] std::optional<std::u16string> to_string() const;
  [[nodiscard]] std::optional<double> to_number() const;
  [[nodiscard]] std::optional<bool> to_bool() const;

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  Value value_;
};

// Text form of a double as "%.15G" writes it ("0.1", "1E+21", "1E-07").
std::u16string number_to_string(double value);
// The string-to-number rule: blanks and tabs around, one sign (leading, trailing or
// "(5)" for -5), thousands separators "," between integer digits, one ".", an exponent,
// or "&H1F" / "&O17" (read as unsigned values). Independent of the locale.
// Example: " 1,234.5- " -> -1234.5; "0x10", "Infinity", "" -> nullopt.
std::optional<double> parse_number(std::u16string_view text);

}  // namespace ff
