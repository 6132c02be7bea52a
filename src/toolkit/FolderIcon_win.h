#pragma once
// The shell's folder icon at a given size, drawn from the best of its images.
#include <windows.h>

namespace toolkit {

// An icon the caller destroys; the shell's small folder icon where the stock
// icon's file cannot be read at that size, null when there is none.
HICON FolderIcon(int size);

}  // namespace toolkit
