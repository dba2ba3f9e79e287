// The first start of an installed copy: a data folder that could not be made, and the
// once-only offer to build the data from the bundled sample or from a download.
#include <QDir>
#include <vector>

#include "platform/Platform.h"
#include "window/frmMirabo.h"

namespace mirabo {

namespace {

const QString kFirstStartTitle = QStringLiteral("郵便番号検索");
const QString kSampleChoice = QStringLiteral("サンプルから作成(&S)");
const QString kDownloadChoice = QStringLiteral("ダウンロード(&D)");
const QString kLaterChoice = QStringLiteral("後で(&L)");

QString OfferText(const QString& dataFolder, bool sample, bool download) {
  const QString source = sample && download
                             ? QStringLiteral("付属のサンプル（動作確認用の小さなデータ）から作るか、"
                                              "日本郵便の全国一括データをダウンロードして作ることができます。")
                         : sample ? QStringLiteral("付属のサンプル（動作確認用の小さなデータ）から作ることができます。")
                                  : QStringLiteral("日本郵便の全国一括データをダウンロードして作ることができます。");
  return QStringLiteral("郵便番号のデータがまだありません。\n%1\nデータは %2 に保存されます。\n\n"
                        "この案内は一度だけ表示されます。あとからは「郵便番号ファイル更新」ボタンで作り直せます。")
      .arg(source, QDir::toNativeSeparators(dataFolder));
}

}  // namespace

void frmMirabo::FirstStart() {
  if (!layout_.error.isEmpty()) return platform_.MessageBox(layout_.error, kFirstStartTitle);
  FileOps& files = platform_.Files();
  if (!FirstStartOfferDue(layout_, Data.PrefCount > 0, files)) return;
  RememberFirstStartOffer(layout_, files);

  QStringList choices;
  std::vector<std::function<void()>> actions;
  const bool sample = IsFile(files, EncodedPath(layout_.sampleFile));
  if (sample) {
    choices << kSampleChoice;
    actions.push_back([this] { RebuildFromFile(layout_.sampleFile); });
  }
  if (FirstStartDownload) {
    choices << kDownloadChoice;
    actions.push_back(FirstStartDownload);
  }
  if (actions.empty()) return;  // nothing to offer
  const int chosen = platform_.Ask(OfferText(DataFolder, sample, bool(FirstStartDownload)), kFirstStartTitle,
                                   choices << kLaterChoice);
  if (chosen >= 0 && chosen < int(actions.size())) actions[size_t(chosen)]();
}

}  // namespace mirabo
