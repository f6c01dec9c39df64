#include "theme.h"

namespace {
bool s_dark = false;
}

namespace Theme {
bool isDark() { return s_dark; }
void setDark(bool dark) { s_dark = dark; }
} // namespace Theme
