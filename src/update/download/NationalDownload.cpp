// The download's steps: request, progress, limits, the answer's checks, the next address.
#include "update/download/NationalDownload.h"

#include <QEventLoop>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "update/NationalFile.h"
#include "update/ZipMember.h"

namespace {

constexpr int kMaxRedirects = 10;

QString NetworkFault(QNetworkReply::NetworkError error, const QString& detail) {
  switch (error) {
    case QNetworkReply::TooManyRedirectsError: return QStringLiteral("転送（リダイレクト）が多すぎます");
    case QNetworkReply::InsecureRedirectError: return QStringLiteral("安全でない転送先（http）に転送されました");
    case QNetworkReply::SslHandshakeFailedError: return QStringLiteral("安全な接続ができません（%1）").arg(detail);
    default: return QStringLiteral("ネットワークに接続できません（%1）").arg(detail);
  }
}

}  // namespace

NationalDownload::NationalDownload(const QStringList& urls, int timeoutSeconds, QObject* parent)
    : QObject(parent), urls_(urls), timeoutSeconds_(timeoutSeconds), network_(new QNetworkAccessManager(this)) {
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] { Abort(Stop::TimedOut); });
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
  stop_ = Stop::None;
  failures_.clear();
  result_ = {};
  deadline_.start(timeoutSeconds_ * 1000);
  // Finished must not come inside Start, so the first step waits for the event loop.
  QTimer::singleShot(0, this, &NationalDownload::TryNext);
}

void NationalDownload::Cancel() { Abort(Stop::Cancelled); }

void NationalDownload::Abort(Stop why) {
  if (!running_ || stop_ != Stop::None) return;  // the first reason to stop is the one told
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
  failures_ << StopReason();
  Finish();
}

QString NationalDownload::StopReason() const {
  switch (stop_) {
    case Stop::Cancelled: return QStringLiteral("ダウンロードを取り消しました");
    case Stop::TimedOut: return QStringLiteral("%1 秒以内に終わりませんでした（タイムアウト）").arg(timeoutSeconds_);
    case Stop::TooLarge:
      return QStringLiteral("受信するファイルが %1 MB を超えます").arg(kMaxDownloadBytes / (1024 * 1024));
    case Stop::None: break;
  }
  return {};
}

void NationalDownload::TryNext() {
  if (!running_ || stop_ == Stop::Cancelled) return;
  if (next_ >= urls_.size()) return Finish();
  currentUrl_ = urls_[next_++];
  const QUrl url(currentUrl_);
  if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https") || url.host().isEmpty()) {
    failures_ << QStringLiteral("「%1」: http または https のアドレスではありません").arg(currentUrl_);
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
  if (received > kMaxDownloadBytes || total > kMaxDownloadBytes) return Abort(Stop::TooLarge);
  emit Progress(received, total);
}

void NationalDownload::OnReplyFinished() {
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  const QByteArray body = stop_ == Stop::None ? reply->readAll() : QByteArray();
  const QString fault = ReplyFault(*reply, body);
  if (fault.isEmpty()) {
    const QString name = QUrl(currentUrl_).fileName();
    result_ = PrepareRebuild(body, name.isEmpty() ? currentUrl_ : name);
    if (result_.ok) return Finish();
    failures_ << QStringLiteral("「%1」: %2").arg(currentUrl_, result_.reason);
  } else {
    failures_ << QStringLiteral("「%1」: %2").arg(currentUrl_, fault);
  }
  if (stop_ == Stop::Cancelled || stop_ == Stop::TimedOut) return Finish();
  stop_ = Stop::None;
  TryNext();
}

// Why the answer is no national ZIP, or an empty text when it may be one.
QString NationalDownload::ReplyFault(QNetworkReply& reply, const QByteArray& body) {
  if (stop_ != Stop::None) return StopReason();
  const QNetworkReply::NetworkError error = reply.error();
  if (error == QNetworkReply::TooManyRedirectsError || error == QNetworkReply::InsecureRedirectError)
    return NetworkFault(error, reply.errorString());
  const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (status.isValid() && status.toInt() != 200)
    return QStringLiteral("サーバーの応答が HTTP %1 でした").arg(status.toInt());
  if (error != QNetworkReply::NoError) return NetworkFault(error, reply.errorString());
  if (!IsZip(body)) return QStringLiteral("受信したファイルは ZIP ではありません");
  return {};
}

void NationalDownload::Finish() {
  if (!running_) return;
  running_ = false;
  deadline_.stop();
  if (!result_.ok) {
    result_ = {};
    result_.reason = QStringLiteral("ダウンロードできませんでした。") + failures_.join(QStringLiteral("／"));
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
