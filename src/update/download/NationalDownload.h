// Fetching the national file's ZIP over the network on Qt's event loop, address by address.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "update/Rebuild.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace mirabo {

constexpr int kDefaultDownloadTimeoutSeconds = 120;
// A published archive is a few MB; an answer larger than this is refused as it arrives.
constexpr qint64 kMaxDownloadBytes = qint64(200) * 1024 * 1024;

inline const QString kDownloadTitle = QStringLiteral("最新データをダウンロードして更新");

// Tries each address in order, following redirects and sending the download page as
// the referring page, and stops at the first whose answer is a ZIP holding a valid
// national file, built in memory (nothing is written). A failed address is passed
// over for the next one, except on cancel or timeout, which end the whole run.
class NationalDownload : public QObject {
  Q_OBJECT
 public:
  // `timeoutSeconds` bounds the whole run, from Start to the last byte, including a
  // server that accepts the connection and then says nothing.
  NationalDownload(const QStringList& urls, int timeoutSeconds, QObject* parent = nullptr);
  ~NationalDownload() override;

  // Starts the first address; Finished follows later, never inside this call.
  void Start();
  // Stops at once; the result then says that the download was cancelled.
  void Cancel();
  bool IsRunning() const { return running_; }

  // After Finished: the built data set, or (when !ok) a kDownloadFailed failure
  // holding the fault of every address tried.
  const PreparedRebuild& Result() const { return result_; }

 signals:
  // Bytes received from the current address, and its announced size (-1 while unknown).
  void Progress(qint64 received, qint64 total);
  void Finished();

 private:
  void TryNext();
  void OnProgress(qint64 received, qint64 total);
  void OnReplyFinished();
  UpdateStatus ReplyFault(QNetworkReply& reply, const QByteArray& body);
  void Abort(const UpdateStatus& why);
  void Finish();

  QStringList urls_;
  int timeoutSeconds_;
  qsizetype next_ = 0;
  QString currentUrl_;
  bool running_ = false;
  UpdateStatus stop_;  // why the run is being stopped: cancelled, timed out or too large
  std::vector<UpdateStatus> failures_;
  QNetworkAccessManager* network_;
  QPointer<QNetworkReply> reply_;
  QTimer deadline_;
  PreparedRebuild result_;
};

// Runs the download to its end on a local event loop and returns its result.
PreparedRebuild WaitForDownload(NationalDownload& download);

// "受信 1,234,567 / 2,100,000 バイト", or without the total while it is unknown.
QString DownloadProgressText(qint64 received, qint64 total);

}  // namespace mirabo
