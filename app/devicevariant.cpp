#include "devicevariant.h"

DeviceVariant::Channels DeviceVariant::channels(int variant)
{
    switch (variant) {
    case 1:
        return {16, 8, false};
    case 2:
        return {8, 8, false};
    case 3:
        return {12, 12, true};
    case 4:
        return {8, 8, true};
    default:
        return {16, 16, false};
    }
}

int DeviceVariant::fromReport(int inputs, int outputs, bool dante)
{
    if (dante)
        return inputs == 8 ? 4 : 3;
    if (inputs == 16 && outputs == 8)
        return 1;
    if (inputs == 8 && outputs == 8)
        return 2;
    return 0;
}
