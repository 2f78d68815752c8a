#pragma once
// Named resources embedded into the executable at build time (resources/<TYPE>/<NAME>.*).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qd {

struct TResourceEntry {
  const char* type;
  const char* name;
  const unsigned char* data;
  const unsigned long long* size;
};

// The build-generated table, terminated by an all-null entry. Declared here, defined by the
// qd_resources library that each program links (resources/), so that this layer does not
// depend on the product's files.
extern const TResourceEntry kEmbeddedResources[];

// The bytes of a resource; an empty span when there is none. Type and name compare
// case-insensitively.
std::span<const uint8_t> FindEmbeddedResource(std::string_view type, std::string_view name);
bool EmbeddedResourceExists(std::string_view type, std::string_view name);

}  // namespace qd
