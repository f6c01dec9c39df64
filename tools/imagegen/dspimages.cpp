#include "dspimages.h"

#include <QtGlobal>

void dspInitImages()
{
    Q_INIT_RESOURCE(dspimages);
}
