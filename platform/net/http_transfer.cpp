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

}  // namespace

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

  CURL* easy = curl_easy_init();
  ctx.easy = easy;
  std::unique_ptr<curl_slist, SlistDeleter> headers;
  std::string url = EncodeUnsafeUrlChars(spec.Url);
  std::string caFile = spec.CAFile.empty() ? DefaultCAFile() : spec.CAFile;

  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errbuf);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, 256L * 1024);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &ctx);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnWrite);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &ctx);
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &OnPrereq);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, &ctx);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &ctx);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, spec.FollowRedirects ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, static_cast<long>(spec.MaxRedirects));
  if (spec.ConnectTimeoutMs > 0)
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(spec.ConnectTimeoutMs));
  curl_easy_setopt(easy, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, caFile.c_str());
  if (!spec.UserAgent.empty()) curl_easy_setopt(easy, CURLOPT_USERAGENT, spec.UserAgent.c_str());
  if (!spec.User.empty()) {
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(easy, CURLOPT_USERNAME, spec.User.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, spec.Password.c_str());
  }
  // An empty proxy switches off the proxy variables of the environment too.
  curl_easy_setopt(easy, CURLOPT_PROXY, spec.Proxy.c_str());
  if (!spec.Proxy.empty() && !spec.ProxyUser.empty()) {
    curl_easy_setopt(easy, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, spec.ProxyUser.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, spec.ProxyPassword.c_str());
  }
  if (spec.UseCookies) {
    curl_easy_setopt(easy, CURLOPT_SHARE, impl_->share);
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
  }

  curl_slist* list = nullptr;
  for (const auto& h : spec.Headers) list = curl_slist_append(list, h.c_str());
  if (spec.HasBody) list = curl_slist_append(list, "Expect:");
  headers.reset(list);
  if (list) curl_easy_setopt(easy, CURLOPT_HTTPHEADER, list);

  if (spec.HasBody) {
    curl_easy_setopt(easy, CURLOPT_POST, 1L);
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(spec.Body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, spec.Body.data());
    if (spec.Method != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, spec.Method.c_str());
  } else if (spec.Method == "GET") {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  } else if (spec.Method == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  } else {
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, spec.Method.c_str());
  }

  CURLM* multi = impl_->multi;
  impl_->busy = true;
  curl_multi_add_handle(multi, easy);
  ScopeExit cleanup{[impl = impl_.get(), multi, easy] {
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
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
  while (true) {
    int running = 0;
    curl_multi_perform(multi, &running);
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
    curl_multi_poll(multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
    if (pumping && Clock::now() - lastPump >= slice) {
      pump();
      lastPump = Clock::now();
    }
  }

  if (ctx.error) std::rethrow_exception(ctx.error);
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
