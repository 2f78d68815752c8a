// The transfer engine when libcurl refuses a step: the transfer fails, and is never carried out
// with weaker settings than asked.
#include <gtest/gtest.h>

#include <curl/curl.h>

#include <string>
#include <vector>

#include "platform/net/http_transfer.h"
#include "servers/test_servers.h"

namespace qd {
namespace {

using net::TCurlStep;
using net::THttpRequestSpec;
using net::TTransferError;
using net::TTransferResult;
using testing::TTempDir;
using testing::TTestServer;
using testing::WriteFile;

class TBodySink : public net::THttpSink {
 public:
  void BodyBegin(const net::THttpResponseInfo&, int64_t) override { began = true; }
  void BodyData(const char* data, size_t size) override { body.append(data, size); }
  bool began = false;
  std::string body;
};

class HttpTransferTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TTempDir();
    WriteFile(*dir_ / "www/small.txt", "hello");
    WriteFile(*dir_ / "secret.txt", "not for the network");
    WriteFile(*dir_ / "faults.json",
              R"({"/slow": {"stall": 3, "before_headers": true}, "/to-file": {"redirect": "file://)" +
                  (*dir_ / "secret.txt") + R"("}})");
    server_ = TTestServer::StartFileServer(*dir_ / "www", *dir_ / "faults.json").release();
  }
  static void TearDownTestSuite() {
    delete server_;
    delete dir_;
  }
  void TearDown() override { net::SetFailingCurlStepForTesting(TCurlStep::None); }

  static THttpRequestSpec Get(const std::string& url) {
    THttpRequestSpec spec;
    spec.Url = url;
    spec.CAFile = *dir_ / "ca.pem";
    return spec;
  }

  static TTempDir* dir_;
  static TTestServer* server_;
};
TTempDir* HttpTransferTest::dir_ = nullptr;
TTestServer* HttpTransferTest::server_ = nullptr;

TEST_F(HttpTransferTest, ARefusedSetUpStepFailsTheTransferBeforeAnythingIsSent) {
  struct Case {
    const char* name;
    TCurlStep step;
    int option;
  };
  const Case cases[] = {
      {"no handle", TCurlStep::EasyInit, 0},
      {"allowed protocols", TCurlStep::SetOption, CURLOPT_PROTOCOLS_STR},
      {"allowed redirect protocols", TCurlStep::SetOption, CURLOPT_REDIR_PROTOCOLS_STR},
      {"TLS version", TCurlStep::SetOption, CURLOPT_SSLVERSION},
      {"peer verification", TCurlStep::SetOption, CURLOPT_SSL_VERIFYPEER},
      {"host verification", TCurlStep::SetOption, CURLOPT_SSL_VERIFYHOST},
      {"CA file", TCurlStep::SetOption, CURLOPT_CAINFO},
  };
  net::THttpTransfer transfer;
  const size_t before = server_->Requests().size();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net::SetFailingCurlStepForTesting(c.step, c.option);
    TBodySink sink;
    const TTransferResult r = transfer.Perform(Get(server_->Url("/small.txt")), sink);
    EXPECT_EQ(r.Error, TTransferError::Other);
    EXPECT_FALSE(r.Detail.empty());
    EXPECT_FALSE(sink.began);
    EXPECT_FALSE(transfer.Busy());
  }
  // The same transfer object works again once the library cooperates; it is the only request
  // the server saw.
  net::SetFailingCurlStepForTesting(TCurlStep::None);
  TBodySink sink;
  const TTransferResult r = transfer.Perform(Get(server_->Url("/small.txt")), sink);
  EXPECT_EQ(r.Error, TTransferError::None) << r.Detail;
  EXPECT_EQ(sink.body, "hello");
  EXPECT_EQ(server_->Requests().size(), before + 1);
}

TEST_F(HttpTransferTest, AFailureOfTheMultiInterfaceEndsTheTransferAsFailed) {
  // The server answers only after a while, so the transfer is still waiting when the step fails.
  for (TCurlStep step : {TCurlStep::MultiPerform, TCurlStep::MultiPoll}) {
    SCOPED_TRACE(static_cast<int>(step));
    net::SetFailingCurlStepForTesting(step);
    net::THttpTransfer transfer;
    TBodySink sink;
    const TTransferResult r = transfer.Perform(Get(server_->Url("/slow")), sink);
    EXPECT_EQ(r.Error, TTransferError::Other);
    EXPECT_FALSE(r.Detail.empty());
    EXPECT_FALSE(transfer.Busy());
  }
}

TEST_F(HttpTransferTest, OnlyHttpAndHttpsAreFetchedAlsoAfterARedirect) {
  struct Case {
    const char* name;
    std::string url;
  };
  const Case cases[] = {
      {"a file URL", "file://" + (*dir_ / "secret.txt")},
      {"a redirect to a file URL", server_->Url("/to-file")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    net::THttpTransfer transfer;
    TBodySink sink;
    const TTransferResult r = transfer.Perform(Get(c.url), sink);
    EXPECT_EQ(r.Error, TTransferError::Other);
    EXPECT_EQ(sink.body.find("not for the network"), std::string::npos);
  }
}

}  // namespace
}  // namespace qd
