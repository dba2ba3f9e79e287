// Making the four data files one whole set again after a swap that was cut short.
#pragma once

#include <optional>

#include <QString>

#include "platform/FileOps.h"
#include "update/store/SwapPaths.h"

namespace mirabo {

// A journal, a ".new" or an ".old" file is in the folder.
bool HasSwapLeftovers(const SwapPaths& paths, FileOps& ops);

// True when every data file already is its new version: no ".new" file is left,
// the data file is there, and its ".old" file is there if it had an old version.
bool SwapIsComplete(const SwapPaths& paths, const OldFilesKept& kept, FileOps& ops);

struct RollBackResult {
  int error = 0;               // the first call that failed, or 0
  bool filesRestored = false;  // the old versions are back and the new ones gone
};

// Puts each ".old" file back under its name, removes the data files that had no
// old version (when `kept` is known) and every ".new" file, then the journal.
// Stops at the first failing call; run again, it goes on where it stopped.
RollBackResult RollBackSwap(const SwapPaths& paths, const std::optional<OldFilesKept>& kept, FileOps& ops);

// Ends a complete swap: removes the journal durably, then moves the ".old" files
// to the trash. Returns the error of a failing sync or removal of the journal, or 0.
int FinishSwap(const SwapPaths& paths, FileOps& ops);

// Moves the ".old" files that are there to the trash, removing any the trash
// leaves behind; 0 when none is left.
int TrashOldFiles(const SwapPaths& paths, FileOps& ops);

enum class SwapRecovery {
  kNothing,     // no journal and no leftover file
  kTidied,      // no journal; leftover ".new" or ".old" files were cleared
  kRolledBack,  // the old set is back
  kFinished,    // the new set stays
  kBusy,        // a rebuild in another process holds the folder
  kFailed,      // a call failed; the journal stays for the next attempt
  kDamaged,     // following the leftovers would not end with one whole set: nothing was changed
};

// With the folder's lock held by the caller: follows the journal if there is one
// (finishing a complete swap, rolling back any other), else clears leftovers.
SwapRecovery RecoverSwapLocked(const SwapPaths& paths, FileOps& ops);

// Called before the data set is opened. Does nothing, without taking the lock,
// when the folder holds no journal and no leftover file. When a rebuild in another
// process holds the folder, waits up to `waitMs` for its swap to end instead.
SwapRecovery RecoverInterruptedSwap(const QString& dataFolder, FileOps& ops, int waitMs = 5000);

}  // namespace mirabo
