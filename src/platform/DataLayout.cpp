// The portable / installed layout rule and the once-only first-start offer.
#include "platform/DataLayout.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "platform/FileOps.h"

namespace mirabo {

namespace {

const QString kHelpName = QStringLiteral("MIRABO.HLP");
const QString kShareFolder = QStringLiteral("/share/mirabo");
const QString kSampleFolder = QStringLiteral("/sample/");
const QString kOfferedMark = QStringLiteral(".first-start-offered");

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

// PREFIX for a program folder PREFIX/bin (empty for /bin); nothing for any other folder.
std::optional<QString> PrefixOf(const QString& programFolder) {
  const QString clean = QDir::cleanPath(programFolder);
  const qsizetype slash = clean.lastIndexOf(u'/');
  if (slash < 0 || clean.mid(slash + 1) != u"bin") return std::nullopt;
  return clean.left(slash);
}

// $HOME, or the home folder of the user's account when HOME is not set.
QString HomeFolder() {
  const QByteArray home = qgetenv("HOME");
  if (!home.isEmpty()) return QFile::decodeName(home);
  const passwd* account = getpwuid(getuid());
  return account && account->pw_dir ? QFile::decodeName(account->pw_dir) : QString();
}

// $XDG_DATA_HOME when absolute (a relative one is to be ignored), else $HOME/.local/share.
QString UserDataHome(const LayoutEnvironment& env) {
  if (env.xdgDataHome.startsWith(u'/')) return QDir::cleanPath(env.xdgDataHome);
  if (env.home.isEmpty()) return {};
  return QDir::cleanPath(env.home + QStringLiteral("/.local/share"));
}

}  // namespace

DataLayout PortableLayout(const QString& folder) {
  DataLayout layout;
  // No folder stays no folder: "" + "/" would be the root.
  if (folder.isEmpty()) return layout;
  layout.dataFolder = WithSlash(folder);
  layout.helpFile = layout.dataFolder + kHelpName;
  return layout;
}

DataLayout ChooseDataLayout(const QString& programFolder, const LayoutEnvironment& env, FileOps& fs) {
  const std::optional<QString> prefix = PrefixOf(programFolder);
  if (!prefix || !IsFolder(fs, EncodedPath(*prefix + kShareFolder))) return PortableLayout(programFolder);

  DataLayout layout;
  layout.kind = LayoutKind::Installed;
  layout.helpFile = *prefix + kShareFolder + u'/' + kHelpName;
  layout.sampleFile = *prefix + kShareFolder + kSampleFolder + kNationalCsvName;
  const QString home = UserDataHome(env);
  if (home.isEmpty()) {  // dataFolder stays empty: the programs must not guess a place
    layout.error = QStringLiteral("データフォルダーの場所が決まりません（XDG_DATA_HOME も HOME も設定されていません）。");
    return layout;
  }
  layout.dataFolder = WithSlash(home + QStringLiteral("/mirabo"));
  if (fs.MakeFolder(EncodedPath(layout.dataFolder)) != 0)
    layout.error = QStringLiteral("データフォルダー %1 を作成できません。").arg(QDir::toNativeSeparators(layout.dataFolder));
  return layout;
}

DataLayout ChooseDataLayout(const QString& programFolder) {
  const LayoutEnvironment env{QFile::decodeName(qgetenv("XDG_DATA_HOME")), HomeFolder()};
  return ChooseDataLayout(programFolder, env, SystemFileOps());
}

bool FirstStartOfferDue(const DataLayout& layout, bool hasData, FileOps& fs) {
  if (layout.kind != LayoutKind::Installed || hasData || !layout.error.isEmpty()) return false;
  return !IsFile(fs, EncodedPath(layout.dataFolder + kOfferedMark));
}

void RememberFirstStartOffer(const DataLayout& layout, FileOps& fs) {
  // Failing to write the note only means the offer comes again next time.
  fs.TouchFile(EncodedPath(layout.dataFolder + kOfferedMark));
}

}  // namespace mirabo
