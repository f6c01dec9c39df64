#pragma once
// The five hardware variants by their channel counts: what the device link assumes for the
// variant in force, and which variant a device's own channel report stands for.
class DeviceVariant final
{
public:
    struct Channels {
        int inputs;
        int outputs;
        bool dante;
    };

    // Channel counts of variant 0..4; anything else is treated as variant 0.
    static Channels channels(int variant);
    // The variant a device reporting these counts belongs to.
    static int fromReport(int inputs, int outputs, bool dante);
};
