#include "store/LinkCacheFile.h"

#include "store/DataFile.h"

namespace tessaly {

LineList LinkCacheFile::LoadLines() {
  LineList lines;
  // A replacement cut short by a kill leaves one whole version, or none.
  if (!files_.RecoverInterruptedWrite(path_)) return lines;
  if (tessaly::LoadLines(files_, path_, lines).status != ReadStatus::Read) return {};
  return lines;
}

void LinkCacheFile::SaveLines(const LineList& lines) {
  if (!writable_) return;
  writable_ = files_.WriteLines(path_, lines).ok;
}

}  // namespace tessaly
