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
  // Group classes and grouped classes, each with the group class of its group (nullptr for
  // the root group); a class reached by none of them is in the root group.
  std::map<TClass, TClass> groupAnchors;
  TClass activeGroup = nullptr;  // nullptr: only the root group
};
ClassRegistry& Registry() {
  static ClassRegistry r;
  return r;
}
// The group class of AClass's group, nullptr for the root group. The caller holds the lock.
TClass GroupOfLocked(const ClassRegistry& r, TClass AClass) {
  for (TClass c = AClass; c; c = c->parent) {
    auto it = r.groupAnchors.find(c);
    if (it != r.groupAnchors.end()) return it->second;
  }
  return nullptr;
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
  if (it == r.byName.end()) return nullptr;
  const TClass group = GroupOfLocked(r, it->second);
  return !group || group == r.activeGroup ? it->second : nullptr;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(u"Class " + Utf8ToString(name) + u" not found");
  return c;
}

void StartClassGroup(TClass AClass) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  if (AClass && AClass != TObject::StaticClass()) r.groupAnchors[AClass] = AClass;
}

void GroupDescendentsWith(TClass AClass, TClass AClassGroup) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  if (!AClass || AClass == TObject::StaticClass()) return;
  const TClass group = GroupOfLocked(r, AClassGroup);
  // A group class stays its own group's class.
  auto it = r.groupAnchors.find(AClass);
  if (it != r.groupAnchors.end() && it->second == AClass) return;
  r.groupAnchors[AClass] = group;
}

TClass ActivateClassGroup(TClass AClass) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  const TClass previous = r.activeGroup;
  r.activeGroup = GroupOfLocked(r, AClass);
  return previous ? previous : TObject::StaticClass();
}

TClass ClassGroupOf(TClass AClass) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  const TClass group = GroupOfLocked(r, AClass);
  return group ? group : TObject::StaticClass();
}

}  // namespace qd
