#include "platform/classes/registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "platform/base/strings.h"
#include "platform/classes/lists.h"

namespace qd {

QD_IMPLEMENT_CLASS(ERegistryException)
QD_IMPLEMENT_CLASS(TRegistry)

namespace {

constexpr LONG kRegSuccess = 0, kRegNotFound = 2, kRegAccessDenied = 5, kRegInvalidHandle = 6,
               kRegMoreData = 234, kRegNoMoreItems = 259, kRegInvalidParameter = 87;

struct Value {
  String name;
  DWORD type = REG_NONE;
  TBytes data;
};

struct Node {
  String name;
  std::vector<std::unique_ptr<Node>> children;
  std::vector<Value> values;

  Node* Child(const String& n) const {
    for (auto& c : children)
      if (SameText(c->name, n)) return c.get();
    return nullptr;
  }
  Value* FindValue(const String& n) {
    for (auto& v : values)
      if (SameText(v.name, n)) return &v;
    return nullptr;
  }
};

struct OpenedKey {
  uintptr_t root;
  std::vector<String> path;
};

struct Registry {
  std::mutex lock;
  std::map<uintptr_t, Node> roots;
  std::set<OpenedKey*> open;
};

Registry& Reg() {
  static Registry r;
  return r;
}

bool IsPredefined(HKEY k) {
  uintptr_t v = reinterpret_cast<uintptr_t>(k);
  return v >= 0x80000000u && v <= 0x80000006u;
}

std::vector<String> SplitPath(StringView p) {
  std::vector<String> parts;
  size_t i = 0;
  while (i <= p.size()) {
    size_t j = p.find(u'\\', i);
    if (j == StringView::npos) j = p.size();
    if (j > i) parts.emplace_back(p.substr(i, j - i));
    i = j + 1;
  }
  return parts;
}

// Resolves a handle (plus a sub-key) to its root and path; false for an unknown handle.
bool Resolve(Registry& r, HKEY key, StringView sub, uintptr_t& root, std::vector<String>& path) {
  if (IsPredefined(key)) {
    root = reinterpret_cast<uintptr_t>(key);
    path.clear();
  } else {
    auto* k = reinterpret_cast<OpenedKey*>(key);
    if (!r.open.count(k)) return false;
    root = k->root;
    path = k->path;
  }
  for (auto& p : SplitPath(sub)) path.push_back(p);
  return true;
}

Node* Find(Registry& r, uintptr_t root, const std::vector<String>& path) {
  Node* n = &r.roots[root];  // the predefined keys always exist
  for (const String& p : path) {
    n = n->Child(p);
    if (!n) return nullptr;
  }
  return n;
}

Node* Create(Registry& r, uintptr_t root, const std::vector<String>& path) {
  Node* n = &r.roots[root];
  for (const String& p : path) {
    Node* c = n->Child(p);
    if (!c) {
      n->children.push_back(std::make_unique<Node>());
      c = n->children.back().get();
      c->name = p;
    }
    n = c;
  }
  return n;
}

Node* NodeOf(Registry& r, HKEY key, LONG& err) {
  uintptr_t root;
  std::vector<String> path;
  if (!Resolve(r, key, {}, root, path)) {
    err = kRegInvalidHandle;
    return nullptr;
  }
  Node* n = Find(r, root, path);
  err = n ? kRegSuccess : kRegNotFound;  // a key deleted while open
  return n;
}

LONG CopyName(const String& name, WCHAR* out, DWORD* cch) {
  if (!cch) return kRegInvalidParameter;
  if (!out || *cch < name.size() + 1) {
    *cch = static_cast<DWORD>(name.size());
    return kRegMoreData;
  }
  std::copy(name.begin(), name.end(), out);
  out[name.size()] = 0;
  *cch = static_cast<DWORD>(name.size());
  return kRegSuccess;
}

LONG CopyData(const Value& v, DWORD* type, BYTE* data, DWORD* cb) {
  if (type) *type = v.type;
  if (!cb) return data ? kRegInvalidParameter : kRegSuccess;
  DWORD need = static_cast<DWORD>(v.data.size());
  if (!data) {
    *cb = need;
    return kRegSuccess;
  }
  if (*cb < need) {
    *cb = need;
    return kRegMoreData;
  }
  if (need) std::memcpy(data, v.data.data(), need);
  *cb = need;
  return kRegSuccess;
}

TBytes StringBytes(const String& s) {
  TBytes b;
  for (Char c : s) {
    b.push_back(static_cast<uint8_t>(c & 0xFF));
    b.push_back(static_cast<uint8_t>(c >> 8));
  }
  b.push_back(0);
  b.push_back(0);
  return b;
}

}  // namespace

LONG RegOpenKeyExW(HKEY hKey, const WCHAR* lpSubKey, DWORD, REGSAM samDesired, HKEY* phkResult) {
  if (!phkResult) return kRegInvalidParameter;
  *phkResult = nullptr;
  auto& r = Reg();
  std::lock_guard g(r.lock);
  uintptr_t root;
  std::vector<String> path;
  if (!Resolve(r, hKey, lpSubKey ? StringView(lpSubKey) : StringView(), root, path)) return kRegInvalidHandle;
  if (!Find(r, root, path)) return kRegNotFound;
  if (samDesired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~KEY_READ) return kRegAccessDenied;
  auto* k = new OpenedKey{root, std::move(path)};
  r.open.insert(k);
  *phkResult = reinterpret_cast<HKEY>(k);
  return kRegSuccess;
}

LONG RegCloseKey(HKEY hKey) {
  if (IsPredefined(hKey)) return kRegSuccess;
  auto& r = Reg();
  std::lock_guard g(r.lock);
  auto* k = reinterpret_cast<OpenedKey*>(hKey);
  if (!r.open.erase(k)) return kRegInvalidHandle;
  delete k;
  return kRegSuccess;
}

LONG RegQueryValueExW(HKEY hKey, const WCHAR* lpValueName, DWORD*, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  LONG err;
  Node* n = NodeOf(r, hKey, err);
  if (!n) return err;
  Value* v = n->FindValue(lpValueName ? String(lpValueName) : String());
  if (!v) return kRegNotFound;
  return CopyData(*v, lpType, lpData, lpcbData);
}

LONG RegEnumKeyExW(HKEY hKey, DWORD dwIndex, WCHAR* lpName, DWORD* lpcchName, DWORD*, WCHAR*,
                   DWORD* lpcchClass, void*) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  LONG err;
  Node* n = NodeOf(r, hKey, err);
  if (!n) return err;
  if (dwIndex >= n->children.size()) return kRegNoMoreItems;
  if (lpcchClass) *lpcchClass = 0;
  return CopyName(n->children[dwIndex]->name, lpName, lpcchName);
}

LONG RegEnumValueW(HKEY hKey, DWORD dwIndex, WCHAR* lpValueName, DWORD* lpcchValueName, DWORD*, DWORD* lpType,
                   BYTE* lpData, DWORD* lpcbData) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  LONG err;
  Node* n = NodeOf(r, hKey, err);
  if (!n) return err;
  if (dwIndex >= n->values.size()) return kRegNoMoreItems;
  const Value& v = n->values[dwIndex];
  LONG e = CopyName(v.name, lpValueName, lpcchValueName);
  if (e != kRegSuccess) return e;
  return CopyData(v, lpType, lpData, lpcbData);
}

LONG RegQueryInfoKeyW(HKEY hKey, DWORD* lpcSubKeys, DWORD* lpcValues) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  LONG err;
  Node* n = NodeOf(r, hKey, err);
  if (!n) return err;
  if (lpcSubKeys) *lpcSubKeys = static_cast<DWORD>(n->children.size());
  if (lpcValues) *lpcValues = static_cast<DWORD>(n->values.size());
  return kRegSuccess;
}

LONG RegCreateKeyExW(HKEY, const WCHAR*, DWORD, WCHAR*, DWORD, REGSAM, void*, HKEY* phkResult, DWORD*) {
  if (phkResult) *phkResult = nullptr;
  return kRegAccessDenied;
}

LONG RegSetValueExW(HKEY, const WCHAR*, DWORD, DWORD, const BYTE*, DWORD) {
  return kRegAccessDenied;
}

void RegistrySetValue(HKEY Root, const String& KeyPath, const String& Name, DWORD Type, const TBytes& Data) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  Node* n = Create(r, reinterpret_cast<uintptr_t>(Root), SplitPath(KeyPath));
  Value* v = n->FindValue(Name);
  if (!v) {
    n->values.push_back({Name, Type, Data});
  } else {
    v->type = Type;
    v->data = Data;
  }
}

void RegistrySetString(HKEY Root, const String& KeyPath, const String& Name, const String& Value) {
  RegistrySetValue(Root, KeyPath, Name, REG_SZ, StringBytes(Value));
}

void RegistrySetDWORD(HKEY Root, const String& KeyPath, const String& Name, uint32_t Value) {
  TBytes b(4);
  std::memcpy(b.data(), &Value, 4);
  RegistrySetValue(Root, KeyPath, Name, REG_DWORD, b);
}

void RegistryCreateKey(HKEY Root, const String& KeyPath) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  Create(r, reinterpret_cast<uintptr_t>(Root), SplitPath(KeyPath));
}

void RegistryDeleteKey(HKEY Root, const String& KeyPath) {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  auto path = SplitPath(KeyPath);
  if (path.empty()) return;
  String last = path.back();
  path.pop_back();
  Node* parent = Find(r, reinterpret_cast<uintptr_t>(Root), path);
  if (!parent) return;
  auto& c = parent->children;
  c.erase(std::remove_if(c.begin(), c.end(), [&](auto& n) { return SameText(n->name, last); }), c.end());
}

void RegistryClear() {
  auto& r = Reg();
  std::lock_guard g(r.lock);
  r.roots.clear();
}

// --- TRegistry -------------------------------------------------------------------------------

void TRegistry::SetRootKey(HKEY Value) {
  if (rootKey_ == Value) return;
  CloseKey();
  rootKey_ = Value;
}

bool TRegistry::OpenKey(const String& Key, bool) {
  // A key that does not exist cannot be created here: the registry is read-only.
  bool absolute = !Key.empty() && Key[0] == u'\\';
  String path = absolute ? Key.substr(1) : (currentPath_.empty() ? Key : currentPath_ + u"\\" + Key);
  HKEY base = absolute || !currentKey_ ? rootKey_ : currentKey_;
  HKEY k = nullptr;
  if (RegOpenKeyExW(base, absolute ? path.c_str() : Key.c_str(), 0, KEY_READ, &k) != kRegSuccess)
    return false;
  CloseKey();
  currentKey_ = k;
  while (!path.empty() && path.back() == u'\\') path.pop_back();
  currentPath_ = path;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  return OpenKey(Key, false);
}

void TRegistry::CloseKey() {
  if (currentKey_) RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

bool TRegistry::KeyExists(const String& Key) {
  bool absolute = !Key.empty() && Key[0] == u'\\';
  HKEY base = absolute || !currentKey_ ? rootKey_ : currentKey_;
  String sub = absolute ? Key.substr(1) : Key;
  HKEY k = nullptr;
  if (RegOpenKeyExW(base, sub.c_str(), 0, KEY_READ, &k) != kRegSuccess) return false;
  RegCloseKey(k);
  return true;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value) {
  Value = {};
  DWORD keys = 0, values = 0;
  if (RegQueryInfoKeyW(currentKey_ ? currentKey_ : rootKey_, &keys, &values) != kRegSuccess) return false;
  Value.NumSubKeys = static_cast<int>(keys);
  Value.NumValues = static_cast<int>(values);
  return true;
}

bool TRegistry::HasSubKeys() {
  TRegKeyInfo info;
  return GetKeyInfo(info) && info.NumSubKeys > 0;
}

bool TRegistry::GetData(const String& Name, TBytes& data, DWORD& type) {
  HKEY k = currentKey_ ? currentKey_ : rootKey_;
  DWORD size = 0;
  if (RegQueryValueExW(k, Name.c_str(), nullptr, &type, nullptr, &size) != kRegSuccess) return false;
  data.resize(size);
  return RegQueryValueExW(k, Name.c_str(), nullptr, &type, data.data(), &size) == kRegSuccess;
}

bool TRegistry::ValueExists(const String& Name) {
  return GetDataSize(Name) >= 0;
}

int TRegistry::GetDataSize(const String& ValueName) {
  DWORD size = 0, type = 0;
  if (RegQueryValueExW(currentKey_ ? currentKey_ : rootKey_, ValueName.c_str(), nullptr, &type, nullptr,
                       &size) != kRegSuccess)
    return -1;
  return static_cast<int>(size);
}

TRegDataType TRegistry::GetDataType(const String& ValueName) {
  DWORD size = 0, type = 0;
  if (RegQueryValueExW(currentKey_ ? currentKey_ : rootKey_, ValueName.c_str(), nullptr, &type, nullptr,
                       &size) != kRegSuccess)
    return rdUnknown;
  switch (type) {
    case REG_SZ:
      return rdString;
    case REG_EXPAND_SZ:
      return rdExpandString;
    case REG_DWORD:
      return rdInteger;
    case REG_BINARY:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

String TRegistry::ReadString(const String& Name) {
  TBytes data;
  DWORD type = 0;
  if (!GetData(Name, data, type)) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  String s;
  for (size_t i = 0; i + 1 < data.size(); i += 2)
    s.push_back(static_cast<Char>(data[i] | (data[i + 1] << 8)));
  size_t z = s.find(u'\0');
  if (z != String::npos) s.resize(z);
  return s;
}

int32_t TRegistry::ReadInteger(const String& Name) {
  TBytes data;
  DWORD type = 0;
  if (!GetData(Name, data, type)) throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  if (type != REG_DWORD || data.size() != 4)
    throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  int32_t v;
  std::memcpy(&v, data.data(), 4);
  return v;
}

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize) {
  TBytes data;
  DWORD type = 0;
  if (!GetData(Name, data, type)) throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  if (static_cast<int>(data.size()) > BufSize)
    throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  if (!data.empty()) std::memcpy(Buffer, data.data(), data.size());
  return static_cast<int>(data.size());
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  HKEY k = currentKey_ ? currentKey_ : rootKey_;
  for (DWORD i = 0;; ++i) {
    WCHAR name[16384];
    DWORD cch = 16384;
    if (RegEnumValueW(k, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != kRegSuccess) break;
    Strings->Add(String(name, cch));
  }
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  HKEY k = currentKey_ ? currentKey_ : rootKey_;
  for (DWORD i = 0;; ++i) {
    WCHAR name[256];
    DWORD cch = 256;
    if (RegEnumKeyExW(k, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != kRegSuccess) break;
    Strings->Add(String(name, cch));
  }
}

}  // namespace qd
