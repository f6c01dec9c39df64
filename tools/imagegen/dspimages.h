#pragma once
// The application's bitmaps under ":/image/" (see controls/imagecache.h for the names).
// Resources in a static library must be registered once, before the first image is loaded:
// call dspInitImages() at start-up.
void dspInitImages();
