// Where the data files, the help file and the bundled sample live: next to the program
// (the portable copy), or, for an installed program, in the user's own data folder.
#pragma once

#include <QString>

namespace mirabo {

class FileOps;

// The national file unpacked, as the bundled sample is named and as it is looked for first.
inline const QString kNationalCsvName = QStringLiteral("KEN_ALL.CSV");

enum class LayoutKind { Portable, Installed };

struct DataLayout {
  LayoutKind kind = LayoutKind::Portable;
  QString dataFolder;  // data files, KEN_ALL.CSV and downloads; ends in "/"; empty only
                       // when no home folder is known (see error)
  QString helpFile;    // MIRABO.HLP
  QString sampleFile;  // the bundled sample national file; empty in the portable layout
  QString error;       // why the data folder could not be made; empty when it is there
};

// What the rule reads from the process environment.
struct LayoutEnvironment {
  QString xdgDataHome;  // $XDG_DATA_HOME; used only when it is an absolute path
  QString home;         // $HOME (the account's home folder where HOME is unset)
};

// The installed layout when `programFolder` is PREFIX/bin and PREFIX/share/mirabo is a
// folder: the data folder is $XDG_DATA_HOME/mirabo/ (else $HOME/.local/share/mirabo/),
// made when missing, and the help file and the sample come from PREFIX/share/mirabo.
// Anything else is the portable layout: everything in `programFolder`.
DataLayout ChooseDataLayout(const QString& programFolder, const LayoutEnvironment& env, FileOps& fs);

// The same rule for this process: its environment and the real file system.
DataLayout ChooseDataLayout(const QString& programFolder);

// The layout of a data folder named outright (a test's folder, mirabo-cli --data):
// portable, with the help file beside the data.
DataLayout PortableLayout(const QString& folder);

// True when a window should offer to build the data: the installed layout, no data
// yet (`hasData` false), and no offer made before from this data folder.
bool FirstStartOfferDue(const DataLayout& layout, bool hasData, FileOps& fs);
// Notes in the data folder that the offer has been made, so that it is made once.
void RememberFirstStartOffer(const DataLayout& layout, FileOps& fs);

}  // namespace mirabo
