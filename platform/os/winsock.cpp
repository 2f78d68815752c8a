#include "platform/os/winsock.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace qd {

namespace {

thread_local int tLastError = 0;

std::mutex gOverrideLock;
std::optional<std::vector<std::string>> gOverride;

// The storage behind the last HOSTENT handed out on this thread.
struct HostEntry {
  std::string name;
  std::vector<IN_ADDR> addresses;
  std::vector<char*> addressPointers;
  char* aliases[1] = {nullptr};
  HOSTENT entry{};
};
thread_local HostEntry tHost;

bool ParseDotted(const std::string& text, IN_ADDR& out) {
  in_addr a{};
  if (::inet_pton(AF_INET, text.c_str(), &a) != 1) return false;
  out.S_un.S_addr = a.s_addr;
  return true;
}

}  // namespace

int WSAStartup(WORD wVersionRequested, WSADATA* lpWSAData) {
  if (lpWSAData) {
    std::memset(lpWSAData, 0, sizeof *lpWSAData);
    lpWSAData->wVersion = wVersionRequested;
    lpWSAData->wHighVersion = 0x0202;
    std::strcpy(lpWSAData->szDescription, "WinSock 2.0");
    std::strcpy(lpWSAData->szSystemStatus, "Running");
  }
  return 0;
}

int WSACleanup() {
  return 0;
}

int WSAGetLastError() {
  return tLastError;
}

int gethostname(char* name, int namelen) {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0) {
    tLastError = WSAEINVAL;
    return SOCKET_ERROR;
  }
  size_t len = std::strlen(buf);
  if (!name || namelen <= 0 || len + 1 > static_cast<size_t>(namelen)) {
    tLastError = WSAEFAULT;
    return SOCKET_ERROR;
  }
  std::memcpy(name, buf, len + 1);
  return 0;
}

HOSTENT* gethostbyname(const char* name) {
  if (!name) {
    tLastError = WSAEFAULT;
    return nullptr;
  }
  std::vector<IN_ADDR> found;
  std::string canonical = name;
  std::optional<std::vector<std::string>> override;
  {
    std::lock_guard g(gOverrideLock);
    override = gOverride;
  }
  if (override) {
    for (const auto& text : *override) {
      IN_ADDR a{};
      if (ParseDotted(text, a)) found.push_back(a);
    }
  } else {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &list) == 0) {
      if (list && list->ai_canonname) canonical = list->ai_canonname;
      for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET) continue;
        IN_ADDR a{};
        a.S_un.S_addr = reinterpret_cast<const sockaddr_in*>(ai->ai_addr)->sin_addr.s_addr;
        bool seen = std::any_of(found.begin(), found.end(),
                                [&](const IN_ADDR& b) { return b.S_un.S_addr == a.S_un.S_addr; });
        if (!seen) found.push_back(a);
      }
      ::freeaddrinfo(list);
    }
  }
  if (found.empty()) {
    tLastError = WSAHOST_NOT_FOUND;
    return nullptr;
  }
  HostEntry& h = tHost;
  h.name = canonical;
  h.addresses = std::move(found);
  h.addressPointers.clear();
  for (auto& a : h.addresses) h.addressPointers.push_back(reinterpret_cast<char*>(&a));
  h.addressPointers.push_back(nullptr);
  h.entry.h_name = h.name.data();
  h.entry.h_aliases = h.aliases;
  h.entry.h_addrtype = AF_INET;
  h.entry.h_length = sizeof(IN_ADDR);
  h.entry.h_addr_list = h.addressPointers.data();
  return &h.entry;
}

char* inet_ntoa(IN_ADDR in) {
  thread_local char buf[INET_ADDRSTRLEN];
  in_addr a{};
  a.s_addr = in.S_un.S_addr;
  if (!::inet_ntop(AF_INET, &a, buf, sizeof buf)) buf[0] = 0;
  return buf;
}

}  // namespace qd

namespace qd::os {

void SetHostAddressesOverride(std::optional<std::vector<std::string>> addresses) {
  std::lock_guard g(gOverrideLock);
  gOverride = std::move(addresses);
}

}  // namespace qd::os
