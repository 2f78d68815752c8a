#include "platform/base/resources.h"

#include <cctype>

namespace qd {

namespace {
bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}
}  // namespace

std::span<const uint8_t> FindEmbeddedResource(std::string_view type, std::string_view name) {
  for (const TResourceEntry* e = kEmbeddedResources; e->type; ++e)
    if (SameAscii(e->type, type) && SameAscii(e->name, name))
      return {reinterpret_cast<const uint8_t*>(e->data), static_cast<size_t>(*e->size)};
  return {};
}

bool EmbeddedResourceExists(std::string_view type, std::string_view name) {
  for (const TResourceEntry* e = kEmbeddedResources; e->type; ++e)
    if (SameAscii(e->type, type) && SameAscii(e->name, name)) return true;
  return false;
}

}  // namespace qd
