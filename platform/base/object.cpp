#include "platform/base/object.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"

namespace qd {

TClass TObject::StaticClass() {
  static const TClassInfo info{"TObject", nullptr, &detail::CreateInstance<TObject>};
  return &info;
}

String TClassInfo::ClassName() const {
  return Utf8ToString(name);
}

namespace {
struct ClassRegistry {
  std::mutex lock;
  std::map<std::string, TClass> byName;  // key: upper-case name
};
ClassRegistry& Registry() {
  static ClassRegistry r;
  return r;
}
std::string Key(std::string_view name) {
  std::string k(name);
  std::transform(k.begin(), k.end(), k.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return k;
}
}  // namespace

void RegisterClass(TClass c) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  r.byName[Key(c->name)] = c;
}

void UnRegisterClass(TClass c) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  auto it = r.byName.find(Key(c->name));
  if (it != r.byName.end() && it->second == c) r.byName.erase(it);
}

TClass GetClass(std::string_view name) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  auto it = r.byName.find(Key(name));
  return it == r.byName.end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(u"Class " + Utf8ToString(name) + u" not found");
  return c;
}

}  // namespace qd
