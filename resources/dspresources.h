#pragma once
// Registers the compiled-in translations, style sheets and icon font. Resources in a
// static library are dropped by the linker unless something references them.
void dspInitResources();
