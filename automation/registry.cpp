#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "automation/dispatch.h"
#include "automation/object_call.h"

namespace ff {
namespace {

// Programmatic identifiers are matched without regard to ASCII letter case.
std::string registry_key(std::string_view progid) {
  std::string key(progid);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return key;
}

class Registry {
 public:
  Factory put(std::string_view progid, Factory factory, bool replace) {
    std::lock_guard lock(mutex_);
    Factory& slot = factories_[registry_key(progid)];
    if (!replace && slot) return {};
    return std::exchange(slot, std::move(factory));
  }
  Factory find(std::string_view progid) const {
    std::lock_guard lock(mutex_);
    auto it = factories_.find(registry_key(progid));
    return it == factories_.end() ? Factory() : it->second;
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::string, Factory, std::less<>> factories_;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

Factory register_factory(std::string progid, Factory factory) {
  return registry().put(progid, std::move(factory), true);
}

void register_factory_if_absent(std::string progid, Factory factory) {
  registry().put(progid, std::move(factory), false);
}

bool create_object(std::string_view progid, ComObject& object) {
  object.reset();
  // The factory runs outside the lock, so that it may itself create objects.
  const Factory factory = registry().find(progid);
  if (!factory) return false;
  std::optional<Variant> made = guarded_object_call([&] { return Variant(factory()); });
  if (const ComObject* handle = made ? made->get_if<ComObject>() : nullptr) object = *handle;
  return !object.is_empty();
}

}  // namespace ff
