// The image, file-list and sound branches of the capture and of the restore.
#include "clips/Clip_win.h"
#include "history/History_win.h"

namespace history {

void History::CaptureImageClip() {}

void History::CaptureFileListClip() {}

void History::CaptureWaveClip() {}

void History::RestoreMediaClip(clips::TClip&) {}

}  // namespace history
