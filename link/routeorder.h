#pragma once
// The place of each window among the receivers of one announced key (SyncRouter orders).
// Where several windows show the same key they are refreshed in this order, and the main
// window's own follow-ups (variant, fault watch, label fan-out) come after all of them.
namespace RouteOrder {
enum : int {
    Overview = 10,
    Module = 20,
    Labels = 30,         // a label reply reaches the label dialog before the fan-out
    RecPlay = 40,
    DeviceSetup = 50,
    Gpio = 60,
    LabelsStatus = 70,   // the label dialog among the Dante status receivers
    CommandAssistant = 80,
    Dante = 90,
    Presets = 100,
    Upgrade = 110,
    Shell = 1000
};
} // namespace RouteOrder
