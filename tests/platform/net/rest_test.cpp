#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "platform/base/strings.h"
#include "platform/net/http_transfer.h"
#include "platform/net/json.h"
#include "platform/net/rest.h"
#include "servers/test_servers.h"

namespace qd {
namespace {

using testing::TTempDir;
using testing::TTestServer;
using testing::U8;
using testing::WriteFile;

const char16_t kBody[] =
    u"{\"header\":{   \"apikey\":\"9b4e07d2c85a1f36e0d94b7a2c61f58e\"},\"dados\":{   "
    u"\"cnpj\":\"12345678000199\",    "
    u"\"modulo\":\"brackenvaleNFCe\" }}";

class RESTTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TTempDir();
    certs_ = new std::string(testing::MakeTestCertificates(*dir_ / "pki"));
    otherCerts_ = new std::string(testing::MakeTestCertificates(*dir_ / "other-pki"));
    WriteFile(*dir_ / "scenario.json", "{}");
    server_ = TTestServer::StartVersionService(*dir_ / "scenario.json", *certs_).release();
  }
  static void TearDownTestSuite() {
    delete server_;
    delete certs_;
    delete otherCerts_;
    delete dir_;
  }
  static void SetScenario(const std::string& json) { WriteFile(*dir_ / "scenario.json", json); }

  // The updater's components, as its form sets them.
  void SetUp() override {
    client_.SetBaseURL(server_->UrlW("/v1/consultaVersao.php"));
    client_.SetCAFile(Utf8ToString(*certs_ + "/ca.pem"));
    client_.SetSecureProtocols(THTTPSecureProtocols{TLS11, TLS12});
    request_.SetClient(&client_);
    request_.SetResponse(&response_);
    request_.SetMethod(rmPOST);
    request_.SetSynchronizedEvents(false);
  }
  void PostBody(const String& body = kBody) {
    request_.ClearBody();
    request_.AddBody(body, ContentTypeFromString(u"application/Json"));
    request_.Execute();
  }
  std::string ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const ERESTException& e) {
      return U8(e.Message());
    }
    return "<no exception>";
  }

  TRESTClient client_;
  TRESTResponse response_;
  TRESTRequest request_;
  static TTempDir* dir_;
  static std::string* certs_;
  static std::string* otherCerts_;
  static TTestServer* server_;
};
TTempDir* RESTTest::dir_ = nullptr;
std::string* RESTTest::certs_ = nullptr;
std::string* RESTTest::otherCerts_ = nullptr;
TTestServer* RESTTest::server_ = nullptr;

TEST_F(RESTTest, SendsTheBodyAndHeadersExactly) {
  SetScenario(R"({"default": {"body": "{\"status\":1,\"dados\":{\"versao\":\"1.0.5\"}}"}})");
  size_t before = server_->Requests().size();
  PostBody();
  auto reqs = server_->Requests();
  ASSERT_EQ(reqs.size(), before + 1);
  const auto& r = reqs.back();
  EXPECT_EQ(r.Method, "POST");
  EXPECT_EQ(r.Path, "/v1/consultaVersao.php");
  EXPECT_EQ(r.Body, U8(kBody));
  EXPECT_EQ(r.Header("Content-Type"), "application/json");
  EXPECT_EQ(r.Header("Content-Length"), std::to_string(U8(kBody).size()));
  EXPECT_EQ(r.Header("Accept"), "application/json, text/plain; q=0.9, text/html;q=0.8,");
  EXPECT_EQ(r.Header("Accept-Charset"), "utf-8, *;q=0.8");
  EXPECT_FALSE(r.HasHeader("User-Agent"));
  EXPECT_FALSE(r.HasHeader("Expect"));
  EXPECT_EQ(r.Module, "brackenvaleNFCe");

  EXPECT_EQ(response_.StatusCode(), 200);
  EXPECT_EQ(U8(response_.StatusText()), "OK");
  EXPECT_EQ(U8(response_.ContentType()), "application/json");
  EXPECT_EQ(U8(response_.JSONText()), R"({"status":1,"dados":{"versao":"1.0.5"}})");
  auto* obj = dynamic_cast<TJSONObject*>(response_.JSONValue());
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(U8(obj->GetValue(u"status")->Value()), "1");
}

TEST_F(RESTTest, TheAnswerTextIsKeptAsReceived) {
  struct Case {
    const char* answer;  // version_service answer object
    const char* text;    // JSONText
    bool json;
  } cases[] = {
      {R"({"body": "{\"status\":0,\"msg\":\"NAO LIBERADO x\"}\n"})",
       "{\"status\":0,\"msg\":\"NAO LIBERADO x\"}\n", true},
      {R"({"body": "caf\u00e9", "content_type": "text/plain; charset=utf-8"})", "caf\xC3\xA9", false},
      {R"({"body_hex": "636166e9", "content_type": "text/plain; charset=ISO-8859-1"})", "caf\xC3\xA9", false},
      {R"({"body_hex": "ff7b7d"})", "\xEF\xBF\xBD{}", false},
      {R"({"body": ""})", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    SetScenario(std::string(R"({"default": )") + c.answer + "}");
    PostBody();
    EXPECT_EQ(U8(response_.JSONText()), c.text);
    EXPECT_EQ(response_.JSONValue() != nullptr, c.json);
  }
  EXPECT_EQ(response_.RawBytes().size(), 0u);
  SetScenario(R"({"default": {"body_hex": "ff7b7d"}})");
  PostBody();
  EXPECT_EQ(response_.RawBytes(), (TBytes{0xFF, 0x7B, 0x7D}));
}

TEST_F(RESTTest, AnswersPerModuleAndInOrder) {
  SetScenario(R"({"modules": {"Torvelix": {"json": {"status": 0, "msg": "NAO LIBERADO"}},
                               "brackenvaleNFCe": [{"json": {"status": 1}}, {"json": {"status": 2}}]},
                  "default": {"status": 404, "body": "none"}})");
  auto post = [&](const char* module) {
    String body = StringReplaceAll(kBody, u"brackenvaleNFCe", Utf8ToString(module));
    PostBody(body);
    return U8(response_.JSONText());
  };
  EXPECT_EQ(post("Torvelix"), R"({"status":0,"msg":"NAO LIBERADO"})");
  EXPECT_EQ(post("brackenvaleNFCe"), R"({"status":1})");
  EXPECT_EQ(post("brackenvaleNFCe"), R"({"status":2})");
  EXPECT_EQ(post("brackenvaleNFCe"), R"({"status":2})");  // the last answer repeats
  EXPECT_EQ(post("Other"), "none");
  EXPECT_EQ(response_.StatusCode(), 404);  // returned, not raised

  TTempDir d;
  WriteFile(d / "seq.json",
            R"({"sequence": [{"body": "first"}, {"body": "second"}], "default": {"body": "rest"}})");
  auto svc = TTestServer::StartVersionService(d / "seq.json", *certs_);
  client_.SetBaseURL(svc->UrlW("/v1/consultaVersao.php"));
  std::vector<std::string> got;
  for (int i = 0; i < 3; ++i) {
    PostBody();
    got.push_back(U8(response_.Content()));
  }
  EXPECT_EQ(got, (std::vector<std::string>{"first", "second", "rest"}));
}

TEST_F(RESTTest, ServerErrorsRaiseAfterTheResponseIsFilled) {
  SetScenario(R"({"default": {"status": 503, "body": "{\"status\":1}"}})");
  EXPECT_EQ(ErrorOf([&] { PostBody(); }), "503 Service Unavailable");
  EXPECT_EQ(response_.StatusCode(), 503);
  EXPECT_EQ(U8(response_.Content()), R"({"status":1})");
  client_.SetRaiseExceptionOn500(false);
  EXPECT_EQ(ErrorOf([&] { PostBody(); }), "<no exception>");
  EXPECT_EQ(response_.StatusCode(), 503);
}

TEST_F(RESTTest, CertificatesAreVerified) {
  SetScenario(R"({"default": {"body": "{}"}})");
  size_t before = server_->Requests().size();
  client_.SetCAFile(Utf8ToString(*otherCerts_ + "/ca.pem"));
  std::string e = ErrorOf([&] { PostBody(); });
  EXPECT_EQ(e.rfind("Error sending data: certificate verify failed (", 0), 0u) << e;
  client_.SetCAFile(u"");  // the system's store does not know the test CA either
  e = ErrorOf([&] { PostBody(); });
  EXPECT_EQ(e.rfind("Error sending data: certificate verify failed (", 0), 0u) << e;
  EXPECT_EQ(server_->Requests().size(), before) << "nothing was sent";

  // The process default applies when the client names no CA file.
  net::SetDefaultCAFile(*certs_ + "/ca.pem");
  EXPECT_EQ(ErrorOf([&] { PostBody(); }), "<no exception>");
  net::SetDefaultCAFile("");
  // The certificate names localhost too.
  client_.SetCAFile(Utf8ToString(*certs_ + "/ca.pem"));
  client_.SetBaseURL(Utf8ToString("https://localhost:" + std::to_string(server_->Port()) + "/v1/x"));
  EXPECT_EQ(ErrorOf([&] { PostBody(); }), "<no exception>");
}

TEST_F(RESTTest, TransportFailuresNameTheCause) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  socklen_t len = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(fd);
  client_.SetBaseURL(Utf8ToString("https://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/v1/x"));
  EXPECT_EQ(ErrorOf([&] { PostBody(); }), "Error sending data: connection refused");

  client_.SetBaseURL(server_->UrlW("/v1/consultaVersao.php"));
  SetScenario(R"({"default": {"delay": 5, "body": "{}"}})");
  client_.SetReadTimeout(300);
  EXPECT_EQ(ErrorOf([&] { PostBody(); }), "Error receiving data: read timed out");
  EXPECT_EQ(U8(response_.Content()), "");

  TRESTRequest orphan;
  EXPECT_EQ(ErrorOf([&] { orphan.Execute(); }), "The request has no client");
}

TEST_F(RESTTest, ReferencesToFreedComponentsAreCleared) {
  TRESTRequest request;
  {
    TRESTClient client;
    TRESTResponse response;
    request.SetClient(&client);
    request.SetResponse(&response);
  }
  EXPECT_EQ(request.Client(), nullptr);
  EXPECT_NE(request.Response(), nullptr);  // falls back to its own
}

TEST(RESTContentType, Lookup) {
  EXPECT_EQ(ContentTypeFromString(u"application/Json"), ctAPPLICATION_JSON);
  EXPECT_EQ(U8(ContentTypeToString(ContentTypeFromString(u"application/Json"))), "application/json");
  EXPECT_EQ(ContentTypeFromString(u"TEXT/PLAIN"), ctTEXT_PLAIN);
  EXPECT_EQ(ContentTypeFromString(u"application/unknown"), ctNone);
  EXPECT_EQ(U8(ContentTypeToString(ctNone)), "");
}

}  // namespace
}  // namespace qd
