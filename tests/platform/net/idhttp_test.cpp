#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <thread>

#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/net/http_transfer.h"
#include "platform/net/idantifreeze.h"
#include "platform/net/idhttp.h"
#include "servers/test_servers.h"

namespace qd {
namespace {

using testing::TTempDir;
using testing::TTestServer;
using testing::U8;
using testing::WriteFile;

// Records the transfer events as text: "begin 300000", "work 65536", ..., "end".
class EventLog {
 public:
  void Attach(TIdHTTP& http) {
    http.SetOnWorkBegin(TWorkBeginEvent(this, &EventLog::Begin));
    http.SetOnWork(TWorkEvent(this, &EventLog::Work));
    http.SetOnWorkEnd(TWorkEndEvent(this, &EventLog::End));
  }
  void Begin(TObject* sender, TWorkMode mode, int64_t max) {
    sender_ = sender;
    EXPECT_EQ(mode, wmRead);
    events.push_back("begin " + std::to_string(max));
  }
  void Work(TObject*, TWorkMode mode, int64_t count) {
    EXPECT_EQ(mode, wmRead);
    if (throwAt > 0 && count >= throwAt) throw EAbort(u"stopped by a handler");
    counts.push_back(count);
  }
  void End(TObject*, TWorkMode) { events.push_back("end"); }

  // The begin/end events with the work events folded into "work..<last count>".
  std::vector<std::string> Summary() const {
    std::vector<std::string> out;
    if (!events.empty()) out.push_back(events[0]);
    if (!counts.empty()) out.push_back("work.." + std::to_string(counts.back()));
    for (size_t i = 1; i < events.size(); ++i) out.push_back(events[i]);
    return out;
  }
  bool CountsIncrease() const {
    for (size_t i = 1; i < counts.size(); ++i)
      if (counts[i] <= counts[i - 1]) return false;
    return true;
  }

  std::vector<std::string> events;
  std::vector<int64_t> counts;
  TObject* sender_ = nullptr;
  int64_t throwAt = 0;
};

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  return s;
}

class IdHTTPTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TTempDir();
    WriteFile(*dir_ / "www/big.bin", Pattern(300000));
    WriteFile(*dir_ / "www/small.txt", "hello");
    WriteFile(*dir_ / "www/latin1.txt", "caf\xE9");
    WriteFile(*dir_ / "www/utf8.txt", "caf\xC3\xA9");
    WriteFile(*dir_ / "www/dir with space/a b.txt", "spaced");
    WriteFile(*dir_ / "www/empty.txt", "");
    server_ = TTestServer::StartFileServer(*dir_ / "www", *dir_ / "faults.json").release();
  }
  static void TearDownTestSuite() {
    delete server_;
    delete dir_;
  }
  void SetUp() override { SetFaults("{}"); }
  static void SetFaults(const std::string& json) { WriteFile(*dir_ / "faults.json", json); }
  size_t RequestCount() const { return server_->Requests().size(); }

  static TTempDir* dir_;
  static TTestServer* server_;
};
TTempDir* IdHTTPTest::dir_ = nullptr;
TTestServer* IdHTTPTest::server_ = nullptr;

TEST_F(IdHTTPTest, EventsForAKnownSizeAndForAChunkedBody) {
  struct Case {
    const char* faults;
    int64_t announced;
  } cases[] = {{"{}", 300000}, {R"({"/big.bin": {"chunked": true}})", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.faults);
    SetFaults(c.faults);
    TIdHTTP http;
    EventLog log;
    log.Attach(http);
    TMemoryStream body;
    http.Get(server_->UrlW("/big.bin"), &body);
    EXPECT_EQ(log.Summary(),
              (std::vector<std::string>{"begin " + std::to_string(c.announced), "work..300000", "end"}));
    EXPECT_TRUE(log.CountsIncrease());
    EXPECT_EQ(log.sender_, &http);
    ASSERT_EQ(body.Size(), 300000);
    EXPECT_EQ(std::string(static_cast<const char*>(body.Memory()), 300000), Pattern(300000));
    EXPECT_EQ(http.ResponseCode(), 200);
    EXPECT_EQ(U8(http.ResponseText()), "HTTP/1.1 200 OK");
  }
}

TEST_F(IdHTTPTest, EmptyBodyStillBeginsAndEnds) {
  TIdHTTP http;
  EventLog log;
  log.Attach(http);
  EXPECT_EQ(U8(http.Get(server_->UrlW("/empty.txt"))), "");
  EXPECT_EQ(log.Summary(), (std::vector<std::string>{"begin 0", "end"}));
}

TEST_F(IdHTTPTest, RedirectsAreFollowedAndOnlyTheFinalBodyIsReported) {
  SetFaults(R"({"/": {"redirect": "/hop", "code": 301}, "/hop": {"redirect": "/small.txt", "code": 302}})");
  size_t before = RequestCount();
  TIdHTTP http;
  EventLog log;
  log.Attach(http);
  EXPECT_EQ(U8(http.Get(server_->UrlW("/"))), "hello");
  EXPECT_EQ(log.Summary(), (std::vector<std::string>{"begin 5", "work..5", "end"}));
  auto reqs = server_->Requests();
  ASSERT_EQ(reqs.size() - before, 3u);
  EXPECT_EQ(reqs.back().Path, "/small.txt");

  // Redirects not handled, or too many of them: the redirect's status line is the error.
  SetFaults(R"({"/loop": {"redirect": "/loop"}})");
  before = RequestCount();
  http.SetRedirectMaximum(3);
  try {
    http.Get(server_->UrlW("/loop"));
    ADD_FAILURE() << "no exception";
  } catch (const EIdHTTPProtocolException& e) {
    EXPECT_EQ(U8(e.Message()), "HTTP/1.1 302 Found");
    EXPECT_EQ(e.ErrorCode(), 302);
  }
  EXPECT_EQ(RequestCount() - before, 4u);
  http.SetHandleRedirects(false);
  EXPECT_THROW(http.Get(server_->UrlW("/loop")), EIdHTTPProtocolException);
}

TEST_F(IdHTTPTest, ErrorStatusesRaiseWithTheStatusLine) {
  SetFaults(R"({"/broken.zip": {"status": 500, "body": "boom"}, "/gone.zip": {"status": 410}})");
  struct Case {
    const char* path;
    int code;
    const char* message;
    const char* body;
  } cases[] = {
      {"/missing.zip", 404, "HTTP/1.1 404 Not Found", "<html><body>Not Found</body></html>"},
      {"/broken.zip", 500, "HTTP/1.1 500 Internal Server Error", "boom"},
      {"/gone.zip", 410, "HTTP/1.1 410 Gone", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    TIdHTTP http;
    EventLog log;
    log.Attach(http);
    TMemoryStream body;
    try {
      http.Get(server_->UrlW(c.path), &body);
      ADD_FAILURE() << "no exception";
    } catch (const EIdHTTPProtocolException& e) {
      EXPECT_EQ(U8(e.Message()), c.message);
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_EQ(U8(e.ErrorMessage()), c.body);
    }
    EXPECT_EQ(body.Size(), 0) << "an error page is not written into the caller's stream";
    EXPECT_EQ(http.ResponseCode(), c.code);
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.back(), "end");
  }
}

TEST_F(IdHTTPTest, StalledTransfersTimeOut) {
  SetFaults(
      R"({"/big.bin": {"stall": 5, "after_bytes": 1000}, "/small.txt": {"stall": 5, "before_headers": true}})");
  {
    TIdHTTP http;
    http.SetReadTimeout(300);
    EventLog log;
    log.Attach(http);
    TMemoryStream body;
    try {
      http.Get(server_->UrlW("/big.bin"), &body);
      ADD_FAILURE() << "no exception";
    } catch (const EIdReadTimeout& e) {
      EXPECT_EQ(U8(e.Message()), "Read timed out.");
    }
    // The body had begun: the end event still comes.
    EXPECT_EQ(log.Summary(), (std::vector<std::string>{"begin 300000", "work..1000", "end"}));
    EXPECT_EQ(body.Size(), 1000);
  }
  {
    TIdHTTP http;
    http.SetReadTimeout(300);
    EventLog log;
    log.Attach(http);
    EXPECT_THROW(http.Get(server_->UrlW("/small.txt")), EIdReadTimeout);
    EXPECT_TRUE(log.events.empty()) << "no body, no events";
  }
}

TEST_F(IdHTTPTest, ConnectionDroppedBeforeTheEnd) {
  SetFaults(R"({"/big.bin": {"close_after_bytes": 10}})");
  TIdHTTP http;
  EventLog log;
  log.Attach(http);
  try {
    http.Get(server_->UrlW("/big.bin"));
    ADD_FAILURE() << "no exception";
  } catch (const EIdConnClosedGracefully& e) {
    EXPECT_EQ(U8(e.Message()), "Connection Closed Gracefully.");
  }
  EXPECT_EQ(log.Summary(), (std::vector<std::string>{"begin 300000", "work..10", "end"}));
}

int gPumps = 0;
std::thread::id gPumpThread;
void CountPump() {
  ++gPumps;
  gPumpThread = std::this_thread::get_id();
}

TEST_F(IdHTTPTest, AntiFreezeLetsMessagesThroughWhileWaiting) {
  // A stalled answer, and a download that trickles in for about half a second.
  SetFaults(R"({"/small.txt": {"stall": 5, "before_headers": true},
               "/slow.bin": {"trickle": 80000, "chunk": 2000}})");
  net::SetAntiFreezeProcessMessages(&CountPump);
  TIdHTTP http;
  http.SetReadTimeout(600);
  gPumps = 0;
  EXPECT_THROW(http.Get(server_->UrlW("/small.txt")), EIdReadTimeout);
  EXPECT_EQ(gPumps, 0) << "no TIdAntiFreeze, no pumping";
  {
    TIdAntiFreeze af;
    EXPECT_EQ(af.IdleTimeOut(), 250);
    EXPECT_THROW(TIdAntiFreeze second, EIdException);
    af.SetIdleTimeOut(100);
    gPumps = 0;
    EXPECT_THROW(http.Get(server_->UrlW("/small.txt")), EIdReadTimeout);
    // At most one pump per slice, and some pumps while 600 ms passed without data.
    EXPECT_GE(gPumps, 2);
    EXPECT_LE(gPumps, 7);
    EXPECT_EQ(gPumpThread, std::this_thread::get_id());

    // Data arriving every 25 ms neither trips the read time-out nor stops the pumping.
    WriteFile(*dir_ / "www/slow.bin", Pattern(40000));
    http.SetReadTimeout(300);
    gPumps = 0;
    auto t0 = std::chrono::steady_clock::now();
    TMemoryStream body;
    http.Get(server_->UrlW("/slow.bin"), &body);
    auto slices = (std::chrono::steady_clock::now() - t0) / std::chrono::milliseconds(100);
    EXPECT_EQ(body.Size(), 40000);
    EXPECT_GE(gPumps, 2);
    EXPECT_LE(gPumps, slices + 1);

    af.SetActive(false);
    gPumps = 0;
    EXPECT_THROW(http.Get(server_->UrlW("/small.txt")), EIdReadTimeout);
    EXPECT_EQ(gPumps, 0);
  }
  net::SetAntiFreezeProcessMessages(nullptr);
}

TEST_F(IdHTTPTest, AHandlerExceptionStopsTheTransferAndStillEnds) {
  TIdHTTP http;
  EventLog log;
  log.Attach(http);
  log.throwAt = 1;
  EXPECT_THROW(http.Get(server_->UrlW("/big.bin")), EAbort);
  ASSERT_FALSE(log.events.empty());
  EXPECT_EQ(log.events.back(), "end");
  // The client is usable again.
  log.throwAt = 0;
  EXPECT_EQ(U8(http.Get(server_->UrlW("/small.txt"))), "hello");
}

TEST_F(IdHTTPTest, RequestHeadersAndSettings) {
  SetFaults(R"({"/small.txt": {"headers": {"Set-Cookie": "sess=abc; Path=/"}}})");
  // A proxy from the environment is not used.
  ::setenv("http_proxy", "http://127.0.0.1:9", 1);
  TIdHTTP http;
  http.Request()->SetAccept(u"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  size_t before = RequestCount();
  http.Get(server_->UrlW("/small.txt"));
  http.Request()->SetBasicAuthentication(true);
  http.Request()->SetUsername(u"user");
  http.Request()->SetPassword(u"pass");
  http.ProxyParams()->SetBasicAuthentication(true);
  http.Get(server_->UrlW("/small.txt"));
  http.Disconnect();
  http.Get(server_->UrlW("/small.txt"));  // cookies survive a disconnect
  TIdHTTP noCookies;
  noCookies.SetAllowCookies(false);
  noCookies.Get(server_->UrlW("/small.txt"));
  noCookies.Get(server_->UrlW("/small.txt"));
  ::unsetenv("http_proxy");

  auto reqs = server_->Requests();
  ASSERT_EQ(reqs.size() - before, 5u);
  const auto& first = reqs[before];
  EXPECT_EQ(first.Method, "GET");
  EXPECT_EQ(first.Header("Accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  EXPECT_EQ(first.Header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
  EXPECT_FALSE(first.HasHeader("Authorization"));
  EXPECT_FALSE(first.HasHeader("Cookie"));
  EXPECT_FALSE(first.HasHeader("Accept-Encoding"));
  EXPECT_EQ(reqs[before + 1].Header("Authorization"), "Basic dXNlcjpwYXNz");
  EXPECT_EQ(reqs[before + 1].Header("Cookie"), "sess=abc");
  EXPECT_EQ(reqs[before + 2].Header("Cookie"), "sess=abc");
  EXPECT_FALSE(reqs[before + 4].HasHeader("Cookie"));
}

TEST_F(IdHTTPTest, TextIsDecodedByCharsetAndUrlsAreEncoded) {
  SetFaults(R"({"/latin1.txt": {"content_type": "text/plain; charset=ISO-8859-1"},
               "/utf8.txt": {"content_type": "text/plain"}})");
  TIdHTTP http;
  EXPECT_EQ(http.Get(server_->UrlW("/latin1.txt")), u"caf\u00e9");
  EXPECT_EQ(U8(http.Response()->CharSet()), "iso-8859-1");
  EXPECT_EQ(http.Get(server_->UrlW("/utf8.txt")), u"caf\u00e9");
  EXPECT_EQ(U8(http.Get(server_->UrlW("/dir with space/a b.txt"))), "spaced");
  EXPECT_EQ(server_->Requests().back().Path, "/dir%20with%20space/a%20b.txt");
}

TEST(IdHTTP, RefusedConnectionIsASocketError) {
  // A port that was free a moment ago: nothing listens there.
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  socklen_t len = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(fd);
  TIdHTTP http;
  EventLog log;
  log.Attach(http);
  try {
    http.Get(Utf8ToString("http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/x"));
    ADD_FAILURE() << "no exception";
  } catch (const EIdSocketError& e) {
    EXPECT_EQ(U8(e.Message()), "Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(e.LastError(), 10061);
  }
  EXPECT_TRUE(log.events.empty());
}

TEST(IdHTTP, TransferErrorWordings) {
  using net::TTransferError;
  struct Case {
    TTransferError error;
    int os;
    const char* cls;
    const char* message;
  } cases[] = {
      {TTransferError::HostNotFound, 0, "EIdSocketError", "Socket Error # 11001\r\nHost not found."},
      {TTransferError::ConnectFailed, ECONNREFUSED, "EIdSocketError",
       "Socket Error # 10061\r\nConnection refused."},
      {TTransferError::ConnectFailed, ENETUNREACH, "EIdSocketError",
       "Socket Error # 10051\r\nNetwork is unreachable."},
      {TTransferError::ConnectTimeout, 0, "EIdConnectTimeout", "Connect timed out."},
      {TTransferError::ReadTimeout, 0, "EIdReadTimeout", "Read timed out."},
      {TTransferError::ConnectionLost, ECONNRESET, "EIdSocketError",
       "Socket Error # 10054\r\nConnection reset by peer."},
      {TTransferError::ConnectionClosed, 0, "EIdConnClosedGracefully", "Connection Closed Gracefully."},
      {TTransferError::CertificateVerify, 0, "EIdOSSLConnectError", "Error connecting with SSL.\r\ndetail"},
  };
  for (const auto& c : cases) {
    net::TTransferResult r;
    r.Error = c.error;
    r.OsError = c.os;
    r.Detail = "detail";
    try {
      net::RaiseIdTransferError(r);
      ADD_FAILURE() << "no exception for " << c.cls;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.ClassNameA(), c.cls);
      EXPECT_EQ(U8(e.Message()), c.message);
    }
  }
}

}  // namespace
}  // namespace qd
