#include "platform/net/http_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"

namespace qd::net {

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<TProcessMessagesProc> gPump{nullptr};
std::mutex gPumpThreadLock;
std::thread::id gPumpThread;
std::atomic<const TAntiFreezeSettings*> gAntiFreeze{nullptr};

std::mutex gCALock;
std::string gDefaultCA;

std::atomic<TCurlStep> gFailingStep{TCurlStep::None};
std::atomic<int> gFailingOption{0};

bool Failing(TCurlStep step) {
  return gFailingStep.load() == step;
}

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool IEquals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

struct Context {
  const THttpRequestSpec* spec = nullptr;
  THttpSink* sink = nullptr;
  TTransferResult* result = nullptr;
  CURL* easy = nullptr;
  bool chunked = false;
  bool readArmed = false;
  Clock::time_point lastActivity;
  curl_off_t lastUpload = 0;
  std::exception_ptr error;

  void Touch() { lastActivity = Clock::now(); }

  void StartBody() {
    if (result->BodyStarted) return;
    result->BodyStarted = true;
    char* url = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &url) == CURLE_OK && url)
      result->Response.EffectiveUrl = url;
    sink->BodyBegin(result->Response, chunked ? -1 : result->Response.ContentLength);
  }
};

size_t OnHeader(char* buffer, size_t size, size_t count, void* user) {
  auto* ctx = static_cast<Context*>(user);
  size_t total = size * count;
  ctx->Touch();
  std::string_view line(buffer, total);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  THttpResponseInfo& r = ctx->result->Response;
  if (line.size() >= 5 && line.substr(0, 5) == "HTTP/") {
    r = THttpResponseInfo();
    ctx->chunked = false;
    r.StatusLine = std::string(line);
    size_t sp = line.find(' ');
    if (sp != std::string_view::npos) {
      std::string_view rest = line.substr(sp + 1);
      int code = 0;
      size_t i = 0;
      while (i < rest.size() && i < 3 && std::isdigit(static_cast<unsigned char>(rest[i])))
        code = code * 10 + (rest[i++] - '0');
      r.StatusCode = code;
      size_t sp2 = rest.find(' ');
      if (sp2 != std::string_view::npos) r.ReasonPhrase = std::string(TrimView(rest.substr(sp2 + 1)));
    }
  } else if (size_t colon = line.find(':'); colon != std::string_view::npos && !line.empty()) {
    std::string name(TrimView(line.substr(0, colon)));
    std::string value(TrimView(line.substr(colon + 1)));
    if (IEquals(name, "Content-Length")) {
      int64_t v = 0;
      bool ok = !value.empty();
      for (char c : value) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || v > (INT64_MAX - 9) / 10) {
          ok = false;
          break;
        }
        v = v * 10 + (c - '0');
      }
      r.ContentLength = ok ? v : -1;
    } else if (IEquals(name, "Transfer-Encoding") && value.find("chunked") != std::string::npos) {
      ctx->chunked = true;
    }
    r.Headers.emplace_back(std::move(name), std::move(value));
  }
  return total;
}

size_t OnWrite(char* data, size_t size, size_t count, void* user) {
  auto* ctx = static_cast<Context*>(user);
  size_t total = size * count;
  ctx->Touch();
  try {
    ctx->StartBody();
    ctx->sink->BodyData(data, total);
  } catch (...) {
    ctx->error = std::current_exception();
    return total == 0 ? 1 : 0;  // anything but `total` aborts the transfer
  }
  return total;
}

int OnPrereq(void* user, char*, char*, int, int) {
  auto* ctx = static_cast<Context*>(user);
  ctx->readArmed = true;
  ctx->Touch();
  return CURL_PREREQFUNC_OK;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow) {
  auto* ctx = static_cast<Context*>(user);
  if (ulnow != ctx->lastUpload) {
    ctx->lastUpload = ulnow;
    ctx->Touch();
  }
  return 0;
}

void Classify(CURLcode code, const Context& ctx, const char* errbuf, TTransferResult& out) {
  long osErr = 0;
  curl_easy_getinfo(ctx.easy, CURLINFO_OS_ERRNO, &osErr);
  out.OsError = static_cast<int>(osErr);
  out.Detail = errbuf && *errbuf ? errbuf : curl_easy_strerror(code);
  switch (code) {
    case CURLE_OK:
      out.Error = TTransferError::None;
      out.Detail.clear();
      break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      out.Error = TTransferError::HostNotFound;
      break;
    case CURLE_COULDNT_CONNECT:
      out.Error = osErr == ETIMEDOUT ? TTransferError::ConnectTimeout : TTransferError::ConnectFailed;
      break;
    case CURLE_OPERATION_TIMEDOUT:
      out.Error = ctx.readArmed ? TTransferError::ReadTimeout : TTransferError::ConnectTimeout;
      break;
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
      out.Error = TTransferError::ConnectionLost;
      break;
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
      out.Error = TTransferError::ConnectionClosed;
      break;
    case CURLE_TOO_MANY_REDIRECTS:
      out.Error = TTransferError::TooManyRedirects;
      break;
    case CURLE_PEER_FAILED_VERIFICATION:
      out.Error = TTransferError::CertificateVerify;
      break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
      out.Error = TTransferError::TlsFailed;
      break;
    default:
      out.Error = TTransferError::Other;
      break;
  }
}

struct SlistDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// Sets the options of one transfer; the first one that the library refuses is kept, and the
// transfer is not carried out.
class TOptions {
 public:
  explicit TOptions(CURL* easy) : easy_(easy) {}
  template <class T>
  void Set(CURLoption option, T value) {
    if (failed_ != CURLE_OK) return;
    const bool refused = Failing(TCurlStep::SetOption) && gFailingOption.load() == static_cast<int>(option);
    const CURLcode code = refused ? CURLE_BAD_FUNCTION_ARGUMENT : curl_easy_setopt(easy_, option, value);
    if (code == CURLE_OK) return;
    failed_ = code;
    option_ = option;
  }
  bool Failed(TTransferResult& out) const {
    if (failed_ == CURLE_OK) return false;
    out.Error = TTransferError::Other;
    out.Detail = std::string(curl_easy_strerror(failed_)) + " (option " + std::to_string(option_) + ")";
    return true;
  }

 private:
  CURL* easy_;
  CURLcode failed_ = CURLE_OK;
  int option_ = 0;
};

TTransferResult SetupFailed(const char* detail) {
  TTransferResult result;
  result.Error = TTransferError::Other;
  result.Detail = detail;
  return result;
}

}  // namespace

// ---- for tests --------------------------------------------------------------------------------

void SetFailingCurlStepForTesting(TCurlStep step, int option) {
  gFailingOption.store(option);
  gFailingStep.store(step);
}

// ---- anti-freeze and TLS settings ---------------------------------------------------------

void SetAntiFreezeProcessMessages(TProcessMessagesProc proc) {
  {
    std::lock_guard g(gPumpThreadLock);
    gPumpThread = std::this_thread::get_id();
  }
  gPump.store(proc);
}

TProcessMessagesProc AntiFreezeProcessMessages() {
  return gPump.load();
}

void SetActiveAntiFreeze(const TAntiFreezeSettings* settings) {
  gAntiFreeze.store(settings);
}

const TAntiFreezeSettings* ActiveAntiFreeze() {
  return gAntiFreeze.load();
}

void SetDefaultCAFile(const std::string& path) {
  std::lock_guard g(gCALock);
  gDefaultCA = path;
}

std::string DefaultCAFile() {
  std::lock_guard g(gCALock);
  return gDefaultCA;
}

// ---- response info --------------------------------------------------------------------------

std::string THttpResponseInfo::Header(std::string_view name) const {
  for (const auto& [k, v] : Headers)
    if (IEquals(k, name)) return v;
  return {};
}

std::string THttpResponseInfo::CharSet() const {
  std::string type = ContentType();
  std::string lower(type.size(), '\0');
  std::transform(type.begin(), type.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  size_t pos = 0;
  while ((pos = lower.find(';', pos)) != std::string::npos) {
    ++pos;
    std::string_view param = TrimView(std::string_view(lower).substr(pos));
    if (param.substr(0, 8) == "charset=") {
      std::string_view v = param.substr(8);
      v = v.substr(0, v.find(';'));
      v = TrimView(v);
      if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
      return std::string(v);
    }
  }
  return {};
}

std::string EncodeUnsafeUrlChars(std::string_view url) {
  std::string out;
  out.reserve(url.size());
  for (unsigned char c : url) {
    if (c <= 0x20 || c >= 0x7F || std::strchr("<>\"\\^`{|}", c)) {
      out.push_back('%');
      out.push_back(HexDigitChar(c >> 4));
      out.push_back(HexDigitChar(c));
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

// ---- the transfer ----------------------------------------------------------------------------

struct THttpTransfer::Impl {
  CURLM* multi = nullptr;
  CURLSH* share = nullptr;
  bool busy = false;

  Impl() {
    GlobalInit();
    multi = curl_multi_init();
    share = curl_share_init();
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  }
  ~Impl() {
    if (multi) curl_multi_cleanup(multi);
    if (share) curl_share_cleanup(share);
  }
};

THttpTransfer::THttpTransfer() : impl_(std::make_unique<Impl>()) {}

THttpTransfer::~THttpTransfer() = default;

bool THttpTransfer::Busy() const {
  return impl_->busy;
}

void THttpTransfer::Disconnect() {
  if (impl_->busy) return;
  curl_multi_cleanup(impl_->multi);
  impl_->multi = curl_multi_init();
}

void THttpTransfer::ClearCookies() {
  if (impl_->busy) return;
  curl_share_cleanup(impl_->share);
  impl_->share = curl_share_init();
  curl_share_setopt(impl_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
}

TTransferResult THttpTransfer::Perform(const THttpRequestSpec& spec, THttpSink& sink) {
  TTransferResult result;
  if (impl_->busy) {
    result.Error = TTransferError::Other;
    result.Detail = "A transfer is already running on this connection";
    return result;
  }

  Context ctx;
  ctx.spec = &spec;
  ctx.sink = &sink;
  ctx.result = &result;
  ctx.Touch();
  char errbuf[CURL_ERROR_SIZE] = {};

  if (!impl_->multi || (spec.UseCookies && !impl_->share))
    return SetupFailed(curl_easy_strerror(CURLE_FAILED_INIT));
  std::unique_ptr<curl_slist, SlistDeleter> headers;  // freed after the handle
  CURL* easy = Failing(TCurlStep::EasyInit) ? nullptr : curl_easy_init();
  if (!easy) return SetupFailed(curl_easy_strerror(CURLE_FAILED_INIT));
  std::unique_ptr<CURL, void (*)(CURL*)> easyOwner(easy, &curl_easy_cleanup);
  ctx.easy = easy;
  std::string url = EncodeUnsafeUrlChars(spec.Url);
  std::string caFile = spec.CAFile.empty() ? DefaultCAFile() : spec.CAFile;

  TOptions o(easy);
  o.Set(CURLOPT_URL, url.c_str());
  o.Set(CURLOPT_ERRORBUFFER, errbuf);
  o.Set(CURLOPT_NOSIGNAL, 1L);
  o.Set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  o.Set(CURLOPT_PROTOCOLS_STR, "http,https");
  o.Set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  o.Set(CURLOPT_BUFFERSIZE, 256L * 1024);
  o.Set(CURLOPT_HEADERFUNCTION, &OnHeader);
  o.Set(CURLOPT_HEADERDATA, &ctx);
  o.Set(CURLOPT_WRITEFUNCTION, &OnWrite);
  o.Set(CURLOPT_WRITEDATA, &ctx);
  o.Set(CURLOPT_PREREQFUNCTION, &OnPrereq);
  o.Set(CURLOPT_PREREQDATA, &ctx);
  o.Set(CURLOPT_XFERINFOFUNCTION, &OnProgress);
  o.Set(CURLOPT_XFERINFODATA, &ctx);
  o.Set(CURLOPT_NOPROGRESS, 0L);
  o.Set(CURLOPT_FOLLOWLOCATION, spec.FollowRedirects ? 1L : 0L);
  o.Set(CURLOPT_MAXREDIRS, static_cast<long>(spec.MaxRedirects));
  if (spec.ConnectTimeoutMs > 0) o.Set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(spec.ConnectTimeoutMs));
  o.Set(CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
  o.Set(CURLOPT_SSL_VERIFYPEER, 1L);
  o.Set(CURLOPT_SSL_VERIFYHOST, 2L);
  if (!caFile.empty()) o.Set(CURLOPT_CAINFO, caFile.c_str());
  if (!spec.UserAgent.empty()) o.Set(CURLOPT_USERAGENT, spec.UserAgent.c_str());
  if (!spec.User.empty()) {
    o.Set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    o.Set(CURLOPT_USERNAME, spec.User.c_str());
    o.Set(CURLOPT_PASSWORD, spec.Password.c_str());
  }
  // An empty proxy switches off the proxy variables of the environment too.
  o.Set(CURLOPT_PROXY, spec.Proxy.c_str());
  if (!spec.Proxy.empty() && !spec.ProxyUser.empty()) {
    o.Set(CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    o.Set(CURLOPT_PROXYUSERNAME, spec.ProxyUser.c_str());
    o.Set(CURLOPT_PROXYPASSWORD, spec.ProxyPassword.c_str());
  }
  if (spec.UseCookies) {
    o.Set(CURLOPT_SHARE, impl_->share);
    o.Set(CURLOPT_COOKIEFILE, "");
  }

  curl_slist* list = nullptr;
  auto append = [&list](const char* header) {
    curl_slist* longer = curl_slist_append(list, header);
    if (!longer) return false;
    list = longer;
    return true;
  };
  bool listed = true;
  for (const auto& h : spec.Headers) listed = listed && append(h.c_str());
  if (spec.HasBody) listed = listed && append("Expect:");
  headers.reset(list);
  // A request without the headers it was given is not sent.
  if (!listed) return SetupFailed(curl_easy_strerror(CURLE_OUT_OF_MEMORY));
  if (list) o.Set(CURLOPT_HTTPHEADER, list);

  if (spec.HasBody) {
    o.Set(CURLOPT_POST, 1L);
    o.Set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(spec.Body.size()));
    o.Set(CURLOPT_POSTFIELDS, spec.Body.data());
    if (spec.Method != "POST") o.Set(CURLOPT_CUSTOMREQUEST, spec.Method.c_str());
  } else if (spec.Method == "GET") {
    o.Set(CURLOPT_HTTPGET, 1L);
  } else if (spec.Method == "HEAD") {
    o.Set(CURLOPT_NOBODY, 1L);
  } else {
    o.Set(CURLOPT_CUSTOMREQUEST, spec.Method.c_str());
  }
  if (o.Failed(result)) return result;

  CURLM* multi = impl_->multi;
  if (CURLMcode added = curl_multi_add_handle(multi, easy); added != CURLM_OK)
    return SetupFailed(curl_multi_strerror(added));
  impl_->busy = true;
  ScopeExit cleanup{[impl = impl_.get(), multi, easy] {
    curl_multi_remove_handle(multi, easy);
    impl->busy = false;
  }};

  const TAntiFreezeSettings* af = spec.PumpMessages ? ActiveAntiFreeze() : nullptr;
  TProcessMessagesProc pump = af ? AntiFreezeProcessMessages() : nullptr;
  if (pump) {
    std::lock_guard g(gPumpThreadLock);
    if (gPumpThread != std::this_thread::get_id()) pump = nullptr;
  }
  const auto slice = std::chrono::milliseconds(af ? std::max(1, af->IdleTimeOut) : 1000);
  const auto readTimeout = std::chrono::milliseconds(spec.ReadTimeoutMs);
  Clock::time_point lastPump = Clock::now();

  bool done = false;
  bool timedOut = false;
  CURLcode code = CURLE_OK;
  CURLMcode driveError = CURLM_OK;  // the multi interface itself failed
  while (true) {
    int running = 0;
    driveError =
        Failing(TCurlStep::MultiPerform) ? CURLM_INTERNAL_ERROR : curl_multi_perform(multi, &running);
    if (driveError != CURLM_OK) break;
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &queued)) {
      if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy) {
        code = msg->data.result;
        done = true;
      }
    }
    if (done || ctx.error) break;
    Clock::time_point now = Clock::now();
    if (ctx.readArmed && spec.ReadTimeoutMs > 0 && now - ctx.lastActivity >= readTimeout) {
      timedOut = true;
      break;
    }
    auto wait = std::chrono::milliseconds(1000);
    if (ctx.readArmed && spec.ReadTimeoutMs > 0)
      wait =
          std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(ctx.lastActivity + readTimeout - now));
    bool pumping = pump && af->Active;
    if (pumping) wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(lastPump + slice - now));
    wait = std::max(wait, std::chrono::milliseconds(1));
    driveError = Failing(TCurlStep::MultiPoll)
                     ? CURLM_INTERNAL_ERROR
                     : curl_multi_poll(multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
    if (driveError != CURLM_OK) break;
    if (pumping && Clock::now() - lastPump >= slice) {
      pump();
      lastPump = Clock::now();
    }
  }

  if (ctx.error) std::rethrow_exception(ctx.error);
  if (driveError != CURLM_OK) {
    result.Error = TTransferError::Other;
    result.Detail = curl_multi_strerror(driveError);
    return result;
  }
  if (timedOut) {
    result.Error = TTransferError::ReadTimeout;
    result.Detail = "Read timed out";
    return result;
  }
  Classify(code, ctx, errbuf, result);
  // An empty body still begins (and ends) a transfer.
  if (result.Error == TTransferError::None && !result.BodyStarted) ctx.StartBody();
  return result;
}

}  // namespace qd::net
