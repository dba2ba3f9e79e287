// The download's steps: request, progress, limits, the answer's checks, the next address.
#include "update/download/NationalDownload.h"

#include <QEventLoop>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "update/NationalFile.h"
#include "update/national/ZipMember.h"

namespace mirabo {

namespace {

constexpr int kMaxRedirects = 10;

UpdateStatus NetworkFault(QNetworkReply::NetworkError error, QString detail) {
  // Some failures, an answer whose compression is broken among them, come without a text.
  if (detail.isEmpty()) detail = QStringLiteral("QNetworkReply のエラー %1").arg(int(error));
  switch (error) {
    // The server closed the connection before the whole answer came.
    case QNetworkReply::RemoteHostClosedError: return {.kind = UpdateStatus::kTransferBroken, .reason = detail};
    case QNetworkReply::TooManyRedirectsError: return {.kind = UpdateStatus::kTooManyRedirects};
    case QNetworkReply::InsecureRedirectError: return {.kind = UpdateStatus::kInsecureRedirect};
    case QNetworkReply::SslHandshakeFailedError:
      return {.kind = UpdateStatus::kSecureConnectionFailed, .reason = detail};
    default: return {.kind = UpdateStatus::kNetworkFailed, .reason = detail};
  }
}

}  // namespace

NationalDownload::NationalDownload(const QStringList& urls, int timeoutSeconds, QObject* parent)
    : QObject(parent), urls_(urls), timeoutSeconds_(timeoutSeconds), network_(new QNetworkAccessManager(this)) {
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this,
          [this] { Abort({.kind = UpdateStatus::kDownloadTimedOut, .number = timeoutSeconds_}); });
}

NationalDownload::~NationalDownload() {
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
  }
}

void NationalDownload::Start() {
  if (running_) return;
  running_ = true;
  next_ = 0;
  stop_ = {};
  failures_.clear();
  result_ = {};
  deadline_.start(timeoutSeconds_ * 1000);
  // Finished must not come inside Start, so the first step waits for the event loop.
  QTimer::singleShot(0, this, &NationalDownload::TryNext);
}

void NationalDownload::Cancel() { Abort({.kind = UpdateStatus::kDownloadCancelled}); }

void NationalDownload::Abort(const UpdateStatus& why) {
  if (!running_ || !stop_.ok()) return;  // the first reason to stop is the one told
  stop_ = why;
  if (reply_) {
    QNetworkReply* reply = reply_;
    reply->abort();
    // finished() normally comes inside abort(); should it not, the reply is closed
    // here, so that the run never waits for it.
    if (reply_ == reply) {
      reply->disconnect(this);
      OnReplyFinished();
    }
    return;
  }
  // Before the first request has gone out.
  failures_.push_back(stop_);
  Finish();
}

void NationalDownload::TryNext() {
  if (!running_ || stop_.kind == UpdateStatus::kDownloadCancelled) return;
  if (next_ >= urls_.size()) return Finish();
  currentUrl_ = urls_[next_++];
  const QUrl url(currentUrl_);
  if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https") || url.host().isEmpty()) {
    failures_.push_back({.kind = UpdateStatus::kNotWebAddress, .url = currentUrl_});
    return TryNext();
  }
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  request.setRawHeader("Referer", kDownloadPageUrl.toUtf8());
  reply_ = network_->get(request);
  emit Progress(0, -1);
  connect(reply_, &QNetworkReply::downloadProgress, this, &NationalDownload::OnProgress);
  connect(reply_, &QNetworkReply::finished, this, &NationalDownload::OnReplyFinished);
}

void NationalDownload::OnProgress(qint64 received, qint64 total) {
  if (received > kMaxDownloadBytes || total > kMaxDownloadBytes)
    return Abort({.kind = UpdateStatus::kDownloadTooLarge, .number = kMaxDownloadBytes / (1024 * 1024)});
  emit Progress(received, total);
}

void NationalDownload::OnReplyFinished() {
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  const QByteArray body = stop_.ok() ? reply->readAll() : QByteArray();
  UpdateStatus fault = ReplyFault(*reply, body);
  if (fault.ok()) {
    const QString name = QUrl(currentUrl_).fileName();
    result_ = PrepareRebuild(body, name.isEmpty() ? currentUrl_ : name);
    if (result_.ok) return Finish();
    fault = result_.failure;
  }
  fault.url = currentUrl_;
  failures_.push_back(fault);
  // Too large passes on to the next address; the other reasons end the run.
  if (!stop_.ok() && stop_.kind != UpdateStatus::kDownloadTooLarge) return Finish();
  stop_ = {};
  TryNext();
}

// Why the answer is no national ZIP; ok when it may be one.
UpdateStatus NationalDownload::ReplyFault(QNetworkReply& reply, const QByteArray& body) {
  if (!stop_.ok()) return stop_;
  const QNetworkReply::NetworkError error = reply.error();
  if (error == QNetworkReply::TooManyRedirectsError || error == QNetworkReply::InsecureRedirectError)
    return NetworkFault(error, reply.errorString());
  const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (status.isValid() && status.toInt() != 200)
    return {.kind = UpdateStatus::kHttpStatus, .number = status.toInt()};
  if (error != QNetworkReply::NoError) return NetworkFault(error, reply.errorString());
  if (!IsZip(body)) return {.kind = UpdateStatus::kNotZip};
  return {};
}

void NationalDownload::Finish() {
  if (!running_) return;
  running_ = false;
  deadline_.stop();
  if (!result_.ok) {
    result_ = {};
    result_.failure = {.kind = UpdateStatus::kDownloadFailed, .attempts = failures_};
  }
  emit Finished();
}

PreparedRebuild WaitForDownload(NationalDownload& download) {
  QEventLoop loop;
  QObject::connect(&download, &NationalDownload::Finished, &loop, &QEventLoop::quit);
  download.Start();
  if (download.IsRunning()) loop.exec();
  return download.Result();
}

QString DownloadProgressText(qint64 received, qint64 total) {
  const QLocale numbers(QLocale::English);  // digits grouped by commas
  if (total < 0) return QStringLiteral("受信 %1 バイト").arg(numbers.toString(received));
  return QStringLiteral("受信 %1 / %2 バイト").arg(numbers.toString(received), numbers.toString(total));
}

}  // namespace mirabo
