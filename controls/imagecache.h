#pragma once
// Loads the application's bitmap resources, preferring the "@2x" file on high-DPI screens.
//
// Images live under ":/image/" (built by tools/imagegen into the dspimages library; call
// dspInitImages() from dspimages.h once at start-up). Names in use:
//   knobs:   KnobBase[Smallest|Small|Large].png, KnobIndicator[Smallest|Small|Large].png
//   fader:   fader_handle_small.png (20 x 43)
//   panel:   AddLight/AddDark, {Edit,Trash,SignOut}{Light,Dark}{Enabled,Disabled},
//            ListAlt{Light,Dark}Enabled (16 x 16; "Light" is for the light scheme)
//   Dante:   dante_connected.png, dante_disconnected.png (16 x 16)
//   USB:     {Play,Pause,Stop,StepForward,StepBackward}{Light,Dark}, Circle, StopRecord (16 x 16)
//   app:     app.png (256 x 256); the build also writes bin/image/app.ico
// For icons use QIcon(":/image/AddLight.png"): QIcon finds the @2x file by itself. For plain
// pixmaps (labels, custom painting) use ImageCache::pixmap with the target's devicePixelRatioF().
#include <QPixmap>
#include <QString>

class ImageCache final
{
public:
    // The pixmap for path; with dpr > 1 the "@2x" variant when it exists (its device pixel
    // ratio set to 2, so it paints at the logical size). Null when the file does not exist.
    static QPixmap pixmap(const QString &path, qreal dpr = 1.0);
};
