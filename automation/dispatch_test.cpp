#include "automation/dispatch.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "automation/test_object.h"

namespace ff {
namespace {

using testing::make_test_object;
using testing::TestObject;

// An object with a readable, indexable and writable "Value", a method that echoes its
// arguments' count, and members that fail in each way an object can.
class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::tie(handle, object) = make_test_object();
    object->members["value"] = [this](CallKind kind, std::span<const Variant> args)
        -> std::optional<Variant> {
      if (kind == CallKind::get) return args.empty() ? value : Variant(u"indexed");
      if (kind != CallKind::put) return std::nullopt;
      seen.assign(args.begin(), args.end());
      value = args.back();
      return Variant();
    };
    object->members["count"] = [](CallKind, std::span<const Variant> args) {
      return std::optional<Variant>(static_cast<std::int32_t>(args.size()));
    };
    object->members["refuses"] = [](CallKind, std::span<const Variant>) {
      return std::optional<Variant>();
    };
    object->members["throws"] = [](CallKind, std::span<const Variant>) -> std::optional<Variant> {
      throw std::runtime_error("inside the object");
    };
  }

  ComObject handle;
  TestObject* object = nullptr;
  Variant value;
  std::vector<Variant> seen;
};

TEST_F(DispatchTest, CallsMembersByNameInAnyLetterCase) {
  EXPECT_EQ(call_method(handle, "Count", {1, true, u"x"}).number(), 3);
  EXPECT_EQ(call_method(handle, "COUNT").number(), 0);
  EXPECT_TRUE(put_property(handle, "vAlUe", Variant(u"set")));
  EXPECT_EQ(get_property(handle, "Value").wide(), u"set");
}

TEST_F(DispatchTest, PutsTheIndexBeforeTheValue) {
  EXPECT_TRUE(put_property(handle, "Value", Variant(std::int32_t{0}), {std::int32_t{6}}));
  EXPECT_EQ(seen, (std::vector<Variant>{std::int32_t{6}, std::int32_t{0}}));
  EXPECT_EQ(get_property(handle, "Value", {std::int32_t{6}}).wide(), u"indexed");
}

TEST_F(DispatchTest, FailedCallsGiveTheEmptyValueOfEveryKind) {
  struct Case {
    const char* why;
    Answer answer;
  };
  const Case cases[] = {
      {"empty handle", call_method(ComObject(), "Count")},
      {"unknown member", call_method(handle, "Missing")},
      {"member refuses", get_property(handle, "Refuses")},
      {"exception inside the object", call_method(handle, "Throws")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_FALSE(c.answer.ok());
    EXPECT_EQ(c.answer.text(), Text());
    EXPECT_EQ(c.answer.number(), 0);
    EXPECT_FALSE(c.answer.truth());
    EXPECT_TRUE(c.answer.object().is_empty());
    EXPECT_TRUE(c.answer.bytes().empty());
  }
  EXPECT_FALSE(put_property(handle, "Throws", Variant(1)));
  EXPECT_FALSE(put_property(ComObject(), "Value", Variant(1)));
}

TEST(AnswerTest, ConvertsToTheKindAskedFor) {
  const Answer text(Variant(u"字体 1"));
  EXPECT_EQ(text.text(), Text("\xD7\xD6\xCC\xE5 1"));
  EXPECT_EQ(text.number(), 0);  // "字体 1" is no number

  const Answer number(Variant(2.5));
  EXPECT_EQ(number.text(), Text("2.5"));
  EXPECT_EQ(number.number(), 2.5);
  EXPECT_TRUE(number.truth());

  const Answer null(Variant(Null{}));
  EXPECT_TRUE(null.ok());
  EXPECT_EQ(null.text(), Text());
  EXPECT_TRUE(null.bytes().empty());

  EXPECT_EQ(Answer(Variant(u"\U0001F600")).text(), Text("??"));
  EXPECT_EQ(Answer(Variant(std::u16string(u"a\0b", 3))).text(), Text("a"));  // Text ends at a NUL
}

TEST(AnswerTest, TakesBytesWithoutCopyingWhenItHoldsTheOnlyReference) {
  const Bytes body = bytes_of(std::string_view("\0\x80z", 3));
  Answer sole{Variant(body)};
  const std::uint8_t* where = sole.raw()->get_if<ByteArray>()->view().data();
  const Bytes taken = std::move(sole).take_bytes();
  EXPECT_EQ(taken, body);
  EXPECT_EQ(taken.data(), where);

  const Variant shared(body);
  Answer copy(shared);
  EXPECT_EQ(copy.bytes(), body);
  EXPECT_EQ(std::move(copy).take_bytes(), body);
  EXPECT_EQ(shared.get_if<ByteArray>()->view().size(), body.size());  // still intact
}

TEST(AnswerTest, ObjectAnswersShareTheObject) {
  auto [handle, object] = make_test_object();
  const Answer answer{Variant(handle)};
  const ComObject copy = answer.object();
  EXPECT_EQ(copy, handle);
  EXPECT_EQ(copy.get(), object);
  EXPECT_TRUE(Answer(Variant(u"x")).object().is_empty());
}

TEST(TextArgTest, ConvertsGbkToWide) {
  EXPECT_EQ(text_arg("\xD7\xD6\xCC\xE5.ttf"), Variant(u"字体.ttf"));
  EXPECT_EQ(text_arg(""), Variant(u""));
}

TEST(MemberIsTest, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(member_is("responseBody", "ResponseBody"));
  EXPECT_FALSE(member_is("Status", "StatusText"));
  EXPECT_FALSE(member_is("\xC1", "\xE1"));  // not letters A..Z
  EXPECT_FALSE(member_is("[", "{"));
}

TEST(ComObjectTest, CopiesAddReferencesAndResetDropsThem) {
  const int before = TestObject::alive;
  {
    auto [handle, object] = make_test_object();
    ComObject copy = handle;
    EXPECT_EQ(handle.use_count(), 2);
    handle.reset();
    EXPECT_TRUE(handle.is_empty());
    EXPECT_FALSE(copy.is_empty());
    EXPECT_EQ(TestObject::alive, before + 1);
    copy.reset();
    EXPECT_EQ(TestObject::alive, before);
  }
  EXPECT_TRUE(ComObject().is_empty());
}

}  // namespace
}  // namespace ff
