#include "http/HttpClient.h"

#include <chrono>

#include "http/Exchange.h"
#include "http/Request.h"
#include "http/Url.h"

namespace qel::http {

HttpClient::HttpClient(std::unique_ptr<Connector> connector) : connector_(std::move(connector)) {
    Clock = [] {
        return static_cast<std::int64_t>(
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count());
    };
}

HttpClient::~HttpClient() = default;

void HttpClient::Disconnect() { connection_.reset(); }

void HttpClient::Get(const std::string& url, BodySink& sink) {
    const Url target = ParseUrl(url);
    const std::string path = PathOf(target.target);
    const std::string request =
        BuildGetRequest(target.target, HostHeader(target.host, target.port), cookies_.HeaderFor(target.host, path, Clock()));

    if (connection_ && (connectedHost_ != target.host || connectedPort_ != target.port || !connection_->Idle()))
        Disconnect();
    if (!connection_) {
        connection_ = connector_->Open(target.host, target.port, ConnectTimeout);
        connectedHost_ = target.host;
        connectedPort_ = target.port;
    }
    connection_->SetReadTimeout(ReadTimeout);
    if (buffer_.size() != kReadSize) buffer_.resize(kReadSize);

    auto keepCookies = [&](const ReplyHead& head) {
        for (const std::string& value : head.Values("Set-Cookie")) cookies_.Store(value, target.host, path, Clock());
    };
    ProgressEvents progress;
    progress.begin = [this](std::int32_t count) {
        if (OnWorkBegin) OnWorkBegin(WorkMode::Read, count);
    };
    progress.work = [this](std::int32_t count) {
        if (OnWork) OnWork(WorkMode::Read, count);
    };
    try {
        if (!Exchange(*connection_, request, buffer_, keepCookies, sink, progress)) Disconnect();
    } catch (...) {
        Disconnect();
        throw;
    }
}

}  // namespace qel::http
