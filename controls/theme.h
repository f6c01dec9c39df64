#pragma once
// The colour scheme in force, as the controls see it. The settings layer sets it when
// the scheme is applied; widgets that pick light or dark images and colours read it.
namespace Theme {
bool isDark();
void setDark(bool dark);
} // namespace Theme
