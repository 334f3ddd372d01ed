#include "automation/dispatch.h"

#include <algorithm>
#include <vector>

#include "automation/object_call.h"
#include "platform/codepage.h"

namespace ff {
namespace {

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// One late-bound call. An empty handle, a member the object refuses and an exception
// inside the object all give the failed answer.
Answer invoke(const ComObject& object, std::string_view member, CallKind kind,
              std::span<const Variant> args) {
  if (object.is_empty()) return Answer();
  return Answer(guarded_object_call([&] { return object.get()->invoke(member, kind, args); }));
}

}  // namespace

bool member_is(std::string_view member, std::string_view name) {
  return std::ranges::equal(member, name,
                            [](char a, char b) { return ascii_lower(a) == ascii_lower(b); });
}

Text Answer::text() const { return Text(utf16_to_gbk(wide())); }

std::u16string Answer::wide() const {
  if (!value_) return u"";
  return value_->to_string().value_or(u"");
}

double Answer::number() const { return value_ ? value_->to_number().value_or(0.0) : 0.0; }

bool Answer::truth() const { return value_ ? value_->to_bool().value_or(false) : false; }

ComObject Answer::object() const {
  const ComObject* object = value_ ? value_->get_if<ComObject>() : nullptr;
  return object ? *object : ComObject();
}

Bytes Answer::bytes() const {
  const ByteArray* array = value_ ? value_->get_if<ByteArray>() : nullptr;
  if (!array) return {};
  return Bytes(array->view().begin(), array->view().end());
}

Bytes Answer::take_bytes() && {
  ByteArray* array = value_ ? std::get_if<ByteArray>(&value_->value()) : nullptr;
  if (!array) return {};
  ByteArray moved = std::move(*array);
  value_.reset();
  return std::move(moved).take();
}

Variant text_arg(std::string_view text) { return Variant(gbk_to_utf16(text)); }

Answer call_method(const ComObject& object, std::string_view member,
                   std::initializer_list<Variant> args) {
  return invoke(object, member, CallKind::method, std::span(args.begin(), args.size()));
}

Answer get_property(const ComObject& object, std::string_view member,
                    std::initializer_list<Variant> index) {
  return invoke(object, member, CallKind::get, std::span(index.begin(), index.size()));
}

bool put_property(const ComObject& object, std::string_view member, const Variant& value,
                  std::initializer_list<Variant> index) {
  std::vector<Variant> args(index);
  args.push_back(value);
  return invoke(object, member, CallKind::put, args).ok();
}

}  // namespace ff
