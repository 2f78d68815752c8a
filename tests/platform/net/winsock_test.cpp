#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/os/winsock.h"

namespace qd {
namespace {

// The original's local-address routine: every address in turn, so the last one wins.
std::vector<std::string> AddressesOf(const char* name) {
  std::vector<std::string> out;
  HOSTENT* h = gethostbyname(name);
  if (!h) return out;
  for (char** p = h->h_addr_list; *p; ++p) out.push_back(inet_ntoa(*reinterpret_cast<IN_ADDR*>(*p)));
  return out;
}

TEST(Winsock, HostNameIntoABuffer) {
  WSADATA data;
  ASSERT_EQ(WSAStartup(0x0101, &data), 0);
  EXPECT_EQ(data.wVersion, 0x0101);
  char buf[256];
  ASSERT_EQ(gethostname(buf, sizeof buf), 0);
  size_t len = std::strlen(buf);
  ASSERT_GT(len, 0u);
  // Exactly large enough, then one byte short.
  std::vector<char> exact(len + 1);
  EXPECT_EQ(gethostname(exact.data(), static_cast<int>(exact.size())), 0);
  EXPECT_STREQ(exact.data(), buf);
  EXPECT_EQ(gethostname(exact.data(), static_cast<int>(len)), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
  EXPECT_EQ(gethostname(nullptr, 64), SOCKET_ERROR);
  EXPECT_EQ(WSACleanup(), 0);
}

TEST(Winsock, ResolverLookups) {
  EXPECT_EQ(AddressesOf("127.0.0.1"), std::vector<std::string>{"127.0.0.1"});
  auto local = AddressesOf("localhost");
  EXPECT_NE(std::find(local.begin(), local.end(), "127.0.0.1"), local.end());
  HOSTENT* h = gethostbyname("127.0.0.1");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->h_length, 4);
  EXPECT_EQ(h->h_aliases[0], nullptr);
}

TEST(Winsock, AddressOverrideKeepsOrderAndCanFail) {
  os::SetHostAddressesOverride(std::vector<std::string>{"10.1.1.7", "192.168.10.5", "172.16.0.1"});
  EXPECT_EQ(AddressesOf("anything"), (std::vector<std::string>{"10.1.1.7", "192.168.10.5", "172.16.0.1"}));
  os::SetHostAddressesOverride(std::vector<std::string>{});
  EXPECT_EQ(gethostbyname("anything"), nullptr);
  EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
  os::SetHostAddressesOverride(std::nullopt);
  EXPECT_EQ(AddressesOf("127.0.0.1"), std::vector<std::string>{"127.0.0.1"});
}

TEST(Winsock, DottedText) {
  IN_ADDR a{};
  a.S_un.S_un_b = {192, 168, 10, 200};
  EXPECT_STREQ(inet_ntoa(a), "192.168.10.200");
}

}  // namespace
}  // namespace qd
