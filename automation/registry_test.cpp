#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "automation/dispatch.h"
#include "automation/test_object.h"

namespace ff {
namespace {

using testing::make_test_object;

Factory making_test_objects() {
  return [] { return make_test_object().first; };
}

TEST(RegistryTest, CreatesByProgrammaticIdentifierInAnyLetterCase) {
  register_factory("Test.Registry.Create", making_test_objects());
  ComObject first, second;
  EXPECT_TRUE(create_object("Test.Registry.Create", first));
  EXPECT_TRUE(create_object("test.registry.CREATE", second));
  EXPECT_FALSE(first.is_empty());
  EXPECT_NE(first, second);  // a new object each time
}

TEST(RegistryTest, FailuresGiveFalseAndAnEmptyHandle) {
  register_factory("Test.Registry.Empty", [] { return ComObject(); });
  register_factory("Test.Registry.Throws", []() -> ComObject { throw std::runtime_error("x"); });
  for (const char* progid : {"Test.Registry.Unknown", "Test.Registry.Empty",
                             "Test.Registry.Throws", ""}) {
    SCOPED_TRACE(progid);
    ComObject object = make_test_object().first;  // a previous value is dropped
    EXPECT_FALSE(create_object(progid, object));
    EXPECT_TRUE(object.is_empty());
  }
}

TEST(RegistryTest, RegisteringReplacesAndAnswersThePreviousFactory) {
  EXPECT_FALSE(register_factory("Test.Registry.Replace", making_test_objects()));
  Factory previous = register_factory("Test.Registry.Replace", [] { return ComObject(); });
  ASSERT_TRUE(previous);
  EXPECT_FALSE(previous().is_empty());
  ComObject object;
  EXPECT_FALSE(create_object("Test.Registry.Replace", object));
}

TEST(RegistryTest, RegisteringIfAbsentKeepsTheFirst) {
  register_factory_if_absent("Test.Registry.Absent", making_test_objects());
  register_factory_if_absent("Test.Registry.Absent", [] { return ComObject(); });
  ComObject object;
  EXPECT_TRUE(create_object("Test.Registry.Absent", object));
}

TEST(RegistryTest, FactoriesMayCreateOtherObjects) {
  register_factory("Test.Registry.Inner", making_test_objects());
  register_factory("Test.Registry.Outer", [] {
    ComObject inner;
    create_object("Test.Registry.Inner", inner);
    return inner;
  });
  ComObject object;
  EXPECT_TRUE(create_object("Test.Registry.Outer", object));
}

TEST(RegistryTest, ServesManyThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> created(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &created] {
      const std::string progid = "Test.Registry.Thread" + std::to_string(t);
      for (int i = 0; i < 500; ++i) {
        register_factory(progid, making_test_objects());
        ComObject object;
        created[t] += create_object(progid, object) ? 1 : 0;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(created, std::vector<int>(4, 500));
}

TEST(ComponentTest, CountsPerThreadAndNeverBelowZero) {
  const int start = component_init_count();
  CoInitialize(nullptr);
  CoInitialize(nullptr);
  EXPECT_EQ(component_init_count(), start + 2);
  int other_thread = -1;
  std::thread([&] {
    CoUninitialize();
    other_thread = component_init_count();
  }).join();
  EXPECT_EQ(other_thread, 0);
  CoUninitialize();
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(component_init_count(), 0);
}

}  // namespace
}  // namespace ff
