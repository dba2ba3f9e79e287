// The one place where an update's failure becomes the Japanese text the user reads.
#include "update/UpdateStatus.h"

#include <cstring>

#include <QDir>
#include <QStringList>

#include "platform/FileOps.h"
#include "update/NationalFile.h"

namespace mirabo {

namespace {

using S = UpdateStatus;

// A name as it may be shown on a terminal: control characters, such as those of an
// escape sequence in an archive's member name, appear as \xNN.
QString Printable(const QString& name) {
  QString shown;
  for (const QChar c : name) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7f && u < 0xa0)) shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    else shown += c;
  }
  return shown;
}

QString Quoted(const QString& name) { return QStringLiteral("「%1」").arg(Printable(name)); }

// "what（フォルダ: F、理由: R）", without the reason when there is none.
QString InFolder(const QString& what, const UpdateStatus& s) {
  const QString reason = s.reason.isEmpty() ? QString() : QStringLiteral("、理由: ") + s.reason;
  return what + QStringLiteral("（フォルダ: %1%2）").arg(QDir::toNativeSeparators(QDir(s.folder).absolutePath()), reason);
}

// The file whose rows are refused, or the archive and its member.
QString Source(const UpdateStatus& s) {
  return s.member.isEmpty() ? Quoted(s.file) : Quoted(s.file) + QStringLiteral("の") + Quoted(s.member);
}

// The sentence without its closing "。"; a download attempt's fault is also a part of
// the whole download's sentence.
QString Body(const UpdateStatus& s) {
  const QString number = QString::number(s.number);
  switch (s.kind) {
    case S::kOk: return {};
    case S::kNoNationalFile: {
      QStringList quoted;
      for (const QString& name : kNationalFileNames) quoted << Quoted(name);
      return InFolder(quoted.join(QStringLiteral("、")) + QStringLiteral(" のどれも見つかりません"), s);
    }
    case S::kFileMissing: return InFolder(Quoted(s.file) + QStringLiteral("が見つかりません"), s);
    case S::kFileUnreadable: return InFolder(Quoted(s.file) + QStringLiteral("を読み込めません"), s);
    case S::kFileTooLarge: return InFolder(Quoted(s.file) + QStringLiteral("が大きすぎます"), s);
    case S::kNoDataFolder: return QStringLiteral("データフォルダが見つかりません");
    case S::kFolderNotWritable: return InFolder(QStringLiteral("データフォルダに書き込めません"), s);
    case S::kRebuildBusy: return InFolder(QStringLiteral("別の郵便番号ファイル更新が実行中です"), s);
    case S::kLockNotRegular:
      return InFolder(QStringLiteral("ロックファイル%1が通常のファイルではないため、更新できません").arg(Quoted(s.file)), s);
    case S::kLockOfOtherUser:
      return InFolder(QStringLiteral("別のユーザーのロックファイル%1があるため、更新できません").arg(Quoted(s.file)), s);
    case S::kNewFilesNotWritable: return InFolder(QStringLiteral("新しいデータファイルを書き込めません"), s);
    case S::kNewFilesNotPlaced:
    case S::kNewFilesRolledBackLater: return InFolder(QStringLiteral("新しいデータファイルを置けません"), s);
    case S::kSwapLeftovers:
      if (s.file.isEmpty()) return InFolder(QStringLiteral("前回中断された更新の後始末ができません"), s);
      return InFolder(Quoted(s.file) + QStringLiteral("を片付けられないため、前回中断された更新の後始末ができません"), s);
    case S::kSwapUnfinished: return InFolder(QStringLiteral("データの更新が途中で止まっています"), s);
    case S::kBadRow:
      if (s.line == 0) return Source(s) + QStringLiteral(": ") + s.reason;
      return QStringLiteral("%1の %2 行目: %3").arg(Source(s), QString::number(s.line), s.reason);
    case S::kTooManyEntries: return Source(s) + QStringLiteral(": 郵便番号データが 999,999 件を超えています");
    case S::kZipBroken:
      return QStringLiteral("%1: ZIP ファイルが壊れています（%2）")
          .arg(Quoted(s.file), s.reason.isEmpty() ? QStringLiteral("読み取りエラー") : s.reason);
    case S::kZipNoCsv: return Quoted(s.file) + QStringLiteral(": ZIP の中に CSV ファイルがありません");
    case S::kZipTwoCsvs:
      return QStringLiteral("%1: ZIP の中に CSV ファイルが 2 個以上あります（%2と%3）")
          .arg(Quoted(s.file), Quoted(s.member), Quoted(s.otherMember));
    case S::kZipMemberTooLarge:
      return QStringLiteral("%1: ZIP の中の%2は展開すると %3 MB を超えます").arg(Quoted(s.file), Quoted(s.member), number);
    case S::kDownloadFailed: {
      // The user's own choice needs no list of addresses.
      if (!s.attempts.empty() && s.attempts.back().kind == S::kDownloadCancelled) return QStringLiteral("キャンセルしました");
      QStringList each;
      for (const UpdateStatus& a : s.attempts)
        each << (a.url.isEmpty() ? QString() : Quoted(a.url) + QStringLiteral(": ")) + Body(a);
      return QStringLiteral("ダウンロードできませんでした。") + each.join(QStringLiteral("／"));
    }
    case S::kNotWebAddress: return QStringLiteral("http または https のアドレスではありません");
    case S::kHttpStatus: return QStringLiteral("サーバーの応答が HTTP %1 でした").arg(number);
    case S::kNotZip: return QStringLiteral("受信したファイルは ZIP ではありません");
    case S::kTooManyRedirects: return QStringLiteral("転送（リダイレクト）が多すぎます");
    case S::kInsecureRedirect: return QStringLiteral("安全でない転送先（http）に転送されました");
    case S::kSecureConnectionFailed: return QStringLiteral("安全な接続ができません（%1）").arg(s.reason);
    case S::kNetworkFailed: return QStringLiteral("ネットワークに接続できません（%1）").arg(s.reason);
    case S::kTransferBroken: return QStringLiteral("受信の途中で接続が切れました（%1）").arg(s.reason);
    case S::kDownloadCancelled: return QStringLiteral("ダウンロードを取り消しました");
    case S::kDownloadTimedOut: return QStringLiteral("%1 秒以内に終わりませんでした（タイムアウト）").arg(number);
    case S::kDownloadTooLarge: return QStringLiteral("受信するファイルが %1 MB を超えます").arg(number);
    case S::kReportUnreadable: return Quoted(s.file) + QStringLiteral("を読み込めません（理由: %1）").arg(s.reason);
    case S::kReportTooLarge: return Quoted(s.file) + QStringLiteral("が %1 MB を超えているため読み込みません").arg(number);
    case S::kReportDamaged: {
      const QString why = s.reason.isEmpty() ? QString() : QStringLiteral("（%1）").arg(s.reason);
      return Quoted(s.file) + QStringLiteral("の %1 行目が読めません%2").arg(s.line).arg(why);
    }
  }
  return {};
}

}  // namespace

QString FailureMessage(const UpdateStatus& s) {
  if (s.ok()) return {};
  QString sentence = Body(s) + QStringLiteral("。");
  // A file refused at its very first row is most likely some other file: say that
  // plainly before the detail, which alone reads like damage.
  if (s.kind == S::kBadRow && s.line == 1)
    sentence = QStringLiteral("このファイルは郵便番号データ（KEN_ALL.CSV 形式）ではないようです。") + sentence;
  switch (s.kind) {
    case S::kNewFilesRolledBackLater: return sentence + QStringLiteral("元のデータファイルは次に開くときに元に戻します。");
    case S::kSwapUnfinished: return sentence + QStringLiteral("データファイルは開きません。");
    // Settling the earlier swap may itself have changed the data; the report is only read.
    case S::kSwapLeftovers:
    case S::kReportUnreadable:
    case S::kReportTooLarge:
    case S::kReportDamaged: return sentence;
    default: return sentence + QStringLiteral("データは変更していません。");
  }
}

QString SystemReason(int error) {
  if (error == FileOps::kNotRegularFile) return QStringLiteral("通常のファイルではありません");
  return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace mirabo
