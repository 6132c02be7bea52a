#include "history/SameText_win.h"

#include <windows.h>

#include <climits>

namespace history {

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
    if (a.size() > INT_MAX || b.size() > INT_MAX) return a == b;
    return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace history
