#pragma once
// Compaction of the catalogue at exit: a compacted, checked copy replaces the file in one atomic
// rename, so no step ever leaves the user without a whole catalogue.
#include <QString>
#include <functional>

namespace compaction {

enum class Step { RemoveStale, Copy, Check, Rebuild, Replace };

// Compacts folder/DataOrmelia.mdb through OrmeliaTemp.mdb in the same folder (for a symbolic
// link, the folder of the file it leads to). Every row and index entry of the catalogue is read
// while it is copied, and an index that does not match its table is rebuilt in the copy.
// Returns 0 on success or the error number (dberr::kNotCatalogue when the catalogue is damaged
// beyond what a rebuild mends); `detail` gets the words that name the damage.
// `keepGoing` is asked every few thousand steps of the engine; once it answers false the
// compaction stops, the copy is removed and dberr::kCancelled returned.
int compactar(const QString& folder, QString* detail = nullptr,
              const std::function<bool()>& keepGoing = {});

// Test hook, called before each step; a throw of DbError there fails that step.
void setStepHook(std::function<void(Step)> hook);

}  // namespace compaction
