#pragma once
// Winsock 1.1, as much as finding the local host's addresses needs: start-up and clean-up
// (which do nothing here), the host name, a look-up by name over the system resolver
// (IPv4 addresses in the resolver's order) and the dotted text of an address.
#include <optional>
#include <string>
#include <vector>

#include "platform/os/wintypes.h"

namespace qd {

constexpr int SOCKET_ERROR = -1;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSANO_DATA = 11004;
constexpr int WSADESCRIPTION_LEN = 256;
constexpr int WSASYS_STATUS_LEN = 128;

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[WSADESCRIPTION_LEN + 1];
  char szSystemStatus[WSASYS_STATUS_LEN + 1];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};

// An IPv4 address in network byte order.
struct IN_ADDR {
  union {
    struct {
      uint8_t s_b1, s_b2, s_b3, s_b4;
    } S_un_b;
    struct {
      uint16_t s_w1, s_w2;
    } S_un_w;
    uint32_t S_addr;
  } S_un;
};

struct HOSTENT {
  char* h_name;
  char** h_aliases;
  short h_addrtype;
  short h_length;
  char** h_addr_list;  // each entry points at an IN_ADDR; the list ends with nullptr
};

// Always succeeds; fills lpWSAData with the requested version.
int WSAStartup(WORD wVersionRequested, WSADATA* lpWSAData);
int WSACleanup();
int WSAGetLastError();

// The host name into name (with its terminating zero). SOCKET_ERROR and WSAEFAULT when the
// buffer is too small or missing.
int gethostname(char* name, int namelen);
// The host's IPv4 addresses, in the resolver's order without repeats. nullptr and
// WSAHOST_NOT_FOUND when the name cannot be resolved to any. The result lives until the
// next call on the same thread.
HOSTENT* gethostbyname(const char* name);
// The dotted text of an address, in a per-thread buffer.
char* inet_ntoa(IN_ADDR in);

}  // namespace qd

namespace qd::os {

// Test seam: when set, gethostbyname answers every name with these dotted IPv4 addresses
// in this order (an empty list: the look-up fails). std::nullopt restores the resolver.
void SetHostAddressesOverride(std::optional<std::vector<std::string>> addresses);

}  // namespace qd::os
