#include "dspresources.h"

#include <QtGlobal>

void dspInitResources()
{
    Q_INIT_RESOURCE(dspresources);
}
