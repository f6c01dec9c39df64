<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AECWidget</name>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>From
Video conference
terminal audio</source>
        <translation>From
Video conference
terminal audio</translation>
    </message>
    <message>
        <source>To
Video conference
terminal audio</source>
        <translation>To
Video conference
terminal audio</translation>
    </message>
    <message>
        <source>IN CH3-16
Local conference
audio source</source>
        <translation>IN CH3-16
Local conference
audio source</translation>
    </message>
    <message>
        <source>OUT CH3-16
Local conference
Amplifier</source>
        <translation>OUT CH3-16
Local conference
Amplifier</translation>
    </message>
    <message>
        <source>Diagram</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>Local Setting</source>
        <translation>Local Setting</translation>
    </message>
    <message>
        <source>Remote Setting</source>
        <translation>Remote Setting</translation>
    </message>
    <message>
        <source>Select the local microphone channels for video conference</source>
        <translation>Select the local microphone channels for video conference</translation>
    </message>
</context>
<context>
    <name>AGCWidget</name>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transfer</translation>
    </message>
    <message>
        <source>AGC Copy</source>
        <translation>AGC Copy</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the agc of the selected channel?</source>
        <translation>Are you sure that you want to reset the agc of the selected channel?</translation>
    </message>
</context>
<context>
    <name>ANCWidget</name>
    <message>
        <source>Channel Enabled</source>
        <translation>Channel Enabled</translation>
    </message>
    <message>
        <source>Noise Reduction Level</source>
        <translation>Noise Reduction Level</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>Strongest</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Please enter the whole IP address of the device (four numbers separated by dots, not 0.x.x.x).</source>
        <translation>Please enter the whole IP address of the device (four numbers separated by dots, not 0.x.x.x).</translation>
    </message>
    <message>
        <source>Add Device</source>
        <translation>Add Device</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>AutoMixerWidget</name>
    <message>
        <source>Instructions for using automix</source>
        <translation>Instructions for using automix</translation>
    </message>
    <message>
        <source>1. Features two independent automix groups.</source>
        <translation>1. Features two independent automix groups.</translation>
    </message>
    <message>
        <source>2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.</source>
        <translation>2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.</translation>
    </message>
    <message>
        <source>3. Use the fader to modify the priority of the volume assigned to the channel.</source>
        <translation>3. Use the fader to modify the priority of the volume assigned to the channel.</translation>
    </message>
    <message>
        <source>In general, which channel&apos;s voice is important, its weight is assigned more. Normally, the default is 0.</source>
        <translation>In general, which channel&apos;s voice is important, its weight is assigned more. Normally, the default is 0.</translation>
    </message>
    <message>
        <source>4. Click the &quot;AM X Enabled&quot; button to enable or disable automix group X.</source>
        <translation>4. Click the &quot;AM X Enabled&quot; button to enable or disable automix group X.</translation>
    </message>
    <message>
        <source>5. The upper and lower meters indicate the attenuation and the level after attenuation.</source>
        <translation>5. The upper and lower meters indicate the attenuation and the level after attenuation.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the auto mixer?</source>
        <translation>Are you sure that you want to reset the auto mixer?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>AM %1 Enabled</source>
        <translation>AM %1 Enabled</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instructions</translation>
    </message>
    <message>
        <source>AM %1</source>
        <translation>AM %1</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Attenuation</source>
        <translation>Attenuation</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source> fader</source>
        <translation> fader</translation>
    </message>
</context>
<context>
    <name>ChangeJournal</name>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Slope</source>
        <translation>Slope</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Freq</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>+48V</source>
        <translation>+48V</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>Record Source</source>
        <translation>Record Source</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>RS-232 Baud Rate</source>
        <translation>RS-232 Baud Rate</translation>
    </message>
    <message>
        <source>Gate Report</source>
        <translation>Gate Report</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>Touch Screen Label</translation>
    </message>
    <message>
        <source>High Pass %1</source>
        <translation>High Pass %1</translation>
    </message>
    <message>
        <source>Low Pass %1</source>
        <translation>Low Pass %1</translation>
    </message>
    <message>
        <source>Band %1 %2</source>
        <translation>Band %1 %2</translation>
    </message>
    <message>
        <source>user</source>
        <translation>user</translation>
    </message>
    <message>
        <source>undo</source>
        <translation>undo</translation>
    </message>
    <message>
        <source>redo</source>
        <translation>redo</translation>
    </message>
    <message>
        <source>preset load</source>
        <translation>preset load</translation>
    </message>
    <message>
        <source>device</source>
        <translation>device</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>Group %1</translation>
    </message>
    <message>
        <source>Port %1</source>
        <translation>Port %1</translation>
    </message>
    <message>
        <source>on</source>
        <translation>on</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
</context>
<context>
    <name>ChangeJournalDialog</name>
    <message>
        <source>Change Journal</source>
        <translation>Change Journal</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>Page:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Source:</translation>
    </message>
    <message>
        <source>Search:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>All devices</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>All pages</translation>
    </message>
    <message>
        <source>All names</source>
        <translation>All names</translation>
    </message>
    <message>
        <source>All sources</source>
        <translation>All sources</translation>
    </message>
    <message>
        <source>The change journal is off in this session: its file could not be used.</source>
        <translation>The change journal is off in this session: its file could not be used.</translation>
    </message>
    <message>
        <source>%1 changes listed</source>
        <translation>%1 changes listed</translation>
    </message>
    <message>
        <source>Only changes of the connected device can be reverted, and no device is connected.</source>
        <translation>Only changes of the connected device can be reverted, and no device is connected.</translation>
    </message>
    <message>
        <source>Only changes of the connected device can be reverted: %1 of the %2 selected changes were made on another device.</source>
        <translation>Only changes of the connected device can be reverted: %1 of the %2 selected changes were made on another device.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Old</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Export the change journal</source>
        <translation>Export the change journal</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>The changes could not be written to %1:
%2</source>
        <translation>The changes could not be written to %1:
%2</translation>
    </message>
</context>
<context>
    <name>ChannelBlock</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ChannelCopyDialog</name>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CheckInputDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CommandAssistantDialog</name>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>Level Pre Mix</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>Out Level</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>System Mute</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Send to Device</source>
        <translation>Send to Device</translation>
    </message>
    <message>
        <source>Device Reply</source>
        <translation>Device Reply</translation>
    </message>
    <message>
        <source>Sent:</source>
        <translation>Sent:</translation>
    </message>
    <message>
        <source>No device is connected and logged in; nothing was sent.</source>
        <translation>No device is connected and logged in; nothing was sent.</translation>
    </message>
    <message>
        <source>This command is not sent from here; nothing was sent.</source>
        <translation>This command is not sent from here; nothing was sent.</translation>
    </message>
    <message>
        <source>Sends the generated command to the connected device, to check it.</source>
        <translation>Sends the generated command to the connected device, to check it.</translation>
    </message>
    <message>
        <source>Sends this command to the connected device and sets the same value in this application, whose pages show it at once.</source>
        <translation>Sends this command to the connected device and sets the same value in this application, whose pages show it at once.</translation>
    </message>
    <message>
        <source>Sends this command to the connected device as it is. Only external control systems use it; this application shows its effect when it next reads the device.</source>
        <translation>Sends this command to the connected device as it is. Only external control systems use it; this application shows its effect when it next reads the device.</translation>
    </message>
</context>
<context>
    <name>CommandLevelWidget</name>
    <message>
        <source>Out Level</source>
        <translation>Out Level</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>Level Pre Mix</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Gain(Fixed Value)</source>
        <translation>Gain(Fixed Value)</translation>
    </message>
    <message>
        <source>Gain(Increment/Decrement)</source>
        <translation>Gain(Increment/Decrement)</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>CommandLoginWidget</name>
    <message>
        <source>Login(TCP Only)</source>
        <translation>Login(TCP Only)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
</context>
<context>
    <name>CommandPresetWidget</name>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>Load Preset</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>NO.</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>CommandSystemMuteWidget</name>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>System Mute</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>Generate Command</translation>
    </message>
</context>
<context>
    <name>DanteSetupDialog</name>
    <message>
        <source>Dante Setup</source>
        <translation>Dante Setup</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Device Information</translation>
    </message>
    <message>
        <source>Device Config</source>
        <translation>Device Config</translation>
    </message>
    <message>
        <source>Receive Channel</source>
        <translation>Receive Channel</translation>
    </message>
    <message>
        <source>Transmit Channel</source>
        <translation>Transmit Channel</translation>
    </message>
    <message>
        <source>Network Config</source>
        <translation>Network Config</translation>
    </message>
    <message>
        <source>Model Name</source>
        <translation>Model Name</translation>
    </message>
    <message>
        <source>Product Version</source>
        <translation>Product Version</translation>
    </message>
    <message>
        <source>Clock Status</source>
        <translation>Clock Status</translation>
    </message>
    <message>
        <source>Clock Source</source>
        <translation>Clock Source</translation>
    </message>
    <message>
        <source>Clock State</source>
        <translation>Clock State</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>Device Name</translation>
    </message>
    <message>
        <source>Device Latency</source>
        <translation>Device Latency</translation>
    </message>
    <message>
        <source>Device Reset</source>
        <translation>Device Reset</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <source>Clear Config</source>
        <translation>Clear Config</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Channel Label</source>
        <translation>Channel Label</translation>
    </message>
    <message>
        <source>Connected to</source>
        <translation>Connected to</translation>
    </message>
    <message>
        <source>Obtain an IP Address Automatically</source>
        <translation>Obtain an IP Address Automatically</translation>
    </message>
    <message>
        <source>Manually configure an IP Address</source>
        <translation>Manually configure an IP Address</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Netmask</source>
        <translation>Netmask</translation>
    </message>
    <message>
        <source>DNS Server</source>
        <translation>DNS Server</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>* Please use the official software Dante Controller for Dante routing.</source>
        <translation>* Please use the official software Dante Controller for Dante routing.</translation>
    </message>
    <message>
        <source>Click to download Dante Controller</source>
        <translation>Click to download Dante Controller</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>The device name&apos;s length can not be greater than 31 bytes, please enter again!</source>
        <translation>The device name&apos;s length can not be greater than 31 bytes, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Renaming a device breaks existing audio routes from this device to other devices.
Are you sure that you want to rename</source>
        <translation>Renaming a device breaks existing audio routes from this device to other devices.
Are you sure that you want to rename</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Changing device latency will interrupt existing audio routes to and from this device.</source>
        <translation>Changing device latency will interrupt existing audio routes to and from this device.</translation>
    </message>
    <message>
        <source>Are you sure that you want to change the latency from</source>
        <translation>Are you sure that you want to change the latency from</translation>
    </message>
    <message>
        <source>Are you sure that you want to reboot?</source>
        <translation>Are you sure that you want to reboot?</translation>
    </message>
    <message>
        <source>Are you sure that you want to clear configuration and reboot now to take effect?</source>
        <translation>Are you sure that you want to clear configuration and reboot now to take effect?</translation>
    </message>
    <message>
        <source>Keep Network Configuration</source>
        <translation>Keep Network Configuration</translation>
    </message>
    <message>
        <source>The channel label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The channel label&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>Are you sure that you want to change the IP address configuration and reboot now to take effect?</source>
        <translation>Are you sure that you want to change the IP address configuration and reboot now to take effect?</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>Not Connected</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Network</translation>
    </message>
</context>
<context>
    <name>DelayWidget</name>
    <message>
        <source>Milliseconds</source>
        <translation>Milliseconds</translation>
    </message>
    <message>
        <source>Meters</source>
        <translation>Meters</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>Feet</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> knob</translation>
    </message>
</context>
<context>
    <name>DeviceItemWidget</name>
    <message>
        <source>online</source>
        <translation>online</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>logged in</source>
        <translation>logged in</translation>
    </message>
    <message>
        <source>fault</source>
        <translation>fault</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>Logined</source>
        <translation>Logined</translation>
    </message>
    <message>
        <source>Unlogin</source>
        <translation>Unlogin</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
</context>
<context>
    <name>DeviceListDialog</name>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM Version</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP Version</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation>Link Status</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>Run Time</translation>
    </message>
    <message>
        <source>Total Time</source>
        <translation>Total Time</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Online(Unlogin)</source>
        <translation>Online(Unlogin)</translation>
    </message>
    <message>
        <source>Online(Logined)</source>
        <translation>Online(Logined)</translation>
    </message>
    <message>
        <source>Logined</source>
        <translation>Logined</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Devices</translation>
    </message>
</context>
<context>
    <name>DeviceSetupDialog</name>
    <message>
        <source>Device Setup</source>
        <translation>Device Setup</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Device Information</translation>
    </message>
    <message>
        <source>General Setup</source>
        <translation>General Setup</translation>
    </message>
    <message>
        <source>Volume Limit</source>
        <translation>Volume Limit</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>Level Pre Mix</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>Out Level</translation>
    </message>
    <message>
        <source>Device Model</source>
        <translation>Device Model</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP Version</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM Version</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Boot Count</source>
        <translation>Boot Count</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>Run Time</translation>
    </message>
    <message>
        <source>Total Time</source>
        <translation>Total Time</translation>
    </message>
    <message>
        <source>RTC</source>
        <translation>RTC</translation>
    </message>
    <message>
        <source>USB Status</source>
        <translation>USB Status</translation>
    </message>
    <message>
        <source>Channel Config</source>
        <translation>Channel Config</translation>
    </message>
    <message>
        <source>Code ID</source>
        <translation>Code ID</translation>
    </message>
    <message>
        <source>ANC Support</source>
        <translation>ANC Support</translation>
    </message>
    <message>
        <source>Dante Support</source>
        <translation>Dante Support</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Device ID</translation>
    </message>
    <message>
        <source>Device Status</source>
        <translation>Device Status</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>Device Voltage</source>
        <translation>Device Voltage</translation>
    </message>
    <message>
        <source>Device Location</source>
        <translation>Device Location</translation>
    </message>
    <message>
        <source>Device Description</source>
        <translation>Device Description</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>Gate Report</source>
        <translation>Gate Report</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source> Baud Rate</source>
        <translation> Baud Rate</translation>
    </message>
    <message>
        <source>Data Sync(Dual backup)</source>
        <translation>Data Sync(Dual backup)</translation>
    </message>
    <message>
        <source>Not Supported</source>
        <translation>Not Supported</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Master IP Address</source>
        <translation>Master IP Address</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Login Password</source>
        <translation>Login Password</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Not inserted</source>
        <translation>Not inserted</translation>
    </message>
    <message>
        <source>Inserted</source>
        <translation>Inserted</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>The device description&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The device description&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The device location&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The device location&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The IP address&apos;s format is error, please enter again!</source>
        <translation>The IP address&apos;s format is error, please enter again!</translation>
    </message>
    <message>
        <source>The subnet netmask&apos;s format is error, please enter again!</source>
        <translation>The subnet netmask&apos;s format is error, please enter again!</translation>
    </message>
    <message>
        <source>The gateway address&apos;s format is error, please enter again!</source>
        <translation>The gateway address&apos;s format is error, please enter again!</translation>
    </message>
    <message>
        <source>Not Sync</source>
        <translation>Not Sync</translation>
    </message>
    <message>
        <source>Syncing</source>
        <translation>Syncing</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>Synced</translation>
    </message>
    <message>
        <source>Login Password Setting</source>
        <translation>Login Password Setting</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>New Password</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>Confirm Password</translation>
    </message>
    <message>
        <source>The two passwords you entered are different, please enter again!</source>
        <translation>The two passwords you entered are different, please enter again!</translation>
    </message>
</context>
<context>
    <name>DeviceVersionSelectionDialog</name>
    <message>
        <source>Device Version Selection</source>
        <translation>Device Version Selection</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Analog Input</source>
        <translation>Analog Input</translation>
    </message>
    <message>
        <source>Analog Output</source>
        <translation>Analog Output</translation>
    </message>
    <message>
        <source>Dante Input</source>
        <translation>Dante Input</translation>
    </message>
    <message>
        <source>Dante Output</source>
        <translation>Dante Output</translation>
    </message>
    <message>
        <source>USB Rec/Play</source>
        <translation>USB Rec/Play</translation>
    </message>
    <message>
        <source>Show at startup</source>
        <translation>Show at startup</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Device Version</source>
        <translation>Device Version</translation>
    </message>
</context>
<context>
    <name>DeviceWidget</name>
    <message>
        <source>Add Device</source>
        <translation>Add Device</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>Modify Network Parameters</translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation>Remove Device</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Connection Timeout</source>
        <translation>Connection Timeout</translation>
    </message>
    <message>
        <source>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</source>
        <translation>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</translation>
    </message>
    <message>
        <source>Modify device IP immediately</source>
        <translation>Modify device IP immediately</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Do not remind again</source>
        <translation>Do not remind again</translation>
    </message>
    <message>
        <source>Are you sure that you want to disconnect the device?</source>
        <translation>Are you sure that you want to disconnect the device?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Devices</translation>
    </message>
</context>
<context>
    <name>DynamicsPage</name>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> knob</translation>
    </message>
</context>
<context>
    <name>EditDeviceDialog</name>
    <message>
        <source>Please enter the whole IP address (four numbers separated by dots).</source>
        <translation>Please enter the whole IP address (four numbers separated by dots).</translation>
    </message>
    <message>
        <source>This IP address cannot be given to a device.</source>
        <translation>This IP address cannot be given to a device.</translation>
    </message>
    <message>
        <source>Please enter the whole subnet mask, for example 255.255.255.0.</source>
        <translation>Please enter the whole subnet mask, for example 255.255.255.0.</translation>
    </message>
    <message>
        <source>The subnet mask is not valid, for example 255.255.255.0 is.</source>
        <translation>The subnet mask is not valid, for example 255.255.255.0 is.</translation>
    </message>
    <message>
        <source>The IP address is the network address of this subnet mask.</source>
        <translation>The IP address is the network address of this subnet mask.</translation>
    </message>
    <message>
        <source>The IP address is the broadcast address of this subnet mask.</source>
        <translation>The IP address is the broadcast address of this subnet mask.</translation>
    </message>
    <message>
        <source>Please enter the whole gateway address, or leave it empty.</source>
        <translation>Please enter the whole gateway address, or leave it empty.</translation>
    </message>
    <message>
        <source>The gateway must be an address in the device&apos;s subnet, or empty.</source>
        <translation>The gateway must be an address in the device&apos;s subnet, or empty.</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>Modify Network Parameters</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FeedbackWidget</name>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FileNotice</name>
    <message>
        <source>The settings file %1 could not be read. Default settings are in force, and the file is left as it is: settings changed in this session will not be kept.</source>
        <translation>The settings file %1 could not be read. Default settings are in force, and the file is left as it is: settings changed in this session will not be kept.</translation>
    </message>
    <message>
        <source>The settings file %1 does not hold this application&apos;s settings; its own settings are kept in it. Default settings are in force.</source>
        <translation>The settings file %1 does not hold this application&apos;s settings; its own settings are kept in it. Default settings are in force.</translation>
    </message>
    <message>
        <source>Part of the settings file %1 could not be read (lines that are damaged, are comments, or hold no setting: %2).</source>
        <translation>Part of the settings file %1 could not be read (lines that are damaged, are comments, or hold no setting: %2).</translation>
    </message>
    <message>
        <source>The file as it was is kept as %1.</source>
        <translation>The file as it was is kept as %1.</translation>
    </message>
    <message>
        <source>It could not be copied, so it is left as it is: settings changed in this session will not be kept.</source>
        <translation>It could not be copied, so it is left as it is: settings changed in this session will not be kept.</translation>
    </message>
    <message>
        <source>These settings could not be read and have their default values: %1.</source>
        <translation>These settings could not be read and have their default values: %1.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written: settings changed in this session will not be kept.</source>
        <translation>The settings file %1 cannot be written: settings changed in this session will not be kept.</translation>
    </message>
    <message>
        <source>The device list %1 could not be opened. Devices found in this session are listed but will not be saved.</source>
        <translation>The device list %1 could not be opened. Devices found in this session are listed but will not be saved.</translation>
    </message>
    <message>
        <source>The device list %1 cannot be written. The devices in it are listed, but changes made in this session will not be saved.</source>
        <translation>The device list %1 cannot be written. The devices in it are listed, but changes made in this session will not be saved.</translation>
    </message>
    <message>
        <source>The device list %1 is damaged.</source>
        <translation>The device list %1 is damaged.</translation>
    </message>
    <message>
        <source>The device list %1 was not written by this application.</source>
        <translation>The device list %1 was not written by this application.</translation>
    </message>
    <message>
        <source>Devices read from it: %1.</source>
        <translation>Devices read from it: %1.</translation>
    </message>
    <message>
        <source>Some entries could not be read.</source>
        <translation>Some entries could not be read.</translation>
    </message>
    <message>
        <source>They are in a new list; the file as it was is kept as %1.</source>
        <translation>They are in a new list; the file as it was is kept as %1.</translation>
    </message>
    <message>
        <source>A new, empty list was started; the file as it was is kept as %1.</source>
        <translation>A new, empty list was started; the file as it was is kept as %1.</translation>
    </message>
    <message>
        <source>It could not be set aside, so it is left as it is: devices found in this session will not be saved.</source>
        <translation>It could not be set aside, so it is left as it is: devices found in this session will not be saved.</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Some of the application&apos;s files could not be used as they are.</source>
        <translation>Some of the application&apos;s files could not be used as they are.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Changes made in this session are not recorded.</source>
        <translation>Changes made in this session are not recorded.</translation>
    </message>
    <message>
        <source>The change journal %1 cannot be written.</source>
        <translation>The change journal %1 cannot be written.</translation>
    </message>
    <message>
        <source>The change journal %1 is in use by another program.</source>
        <translation>The change journal %1 is in use by another program.</translation>
    </message>
    <message>
        <source>The change journal %1 was written by a newer version of this application and is left as it is.</source>
        <translation>The change journal %1 was written by a newer version of this application and is left as it is.</translation>
    </message>
    <message>
        <source>The change journal %1 is damaged.</source>
        <translation>The change journal %1 is damaged.</translation>
    </message>
    <message>
        <source>The change journal %1 was not written by this application.</source>
        <translation>The change journal %1 was not written by this application.</translation>
    </message>
    <message>
        <source>A new, empty journal was started; the file as it was is kept as %1.</source>
        <translation>A new, empty journal was started; the file as it was is kept as %1.</translation>
    </message>
    <message>
        <source>It could not be set aside, so it is left as it is.</source>
        <translation>It could not be set aside, so it is left as it is.</translation>
    </message>
</context>
<context>
    <name>FilterGraph</name>
    <message>
        <source>Export Response...</source>
        <translation>Export Response...</translation>
    </message>
    <message>
        <source>Export Response</source>
        <translation>Export Response</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
</context>
<context>
    <name>FilterWidget</name>
    <message>
        <source>Bessel</source>
        <translation>Bessel</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>Butterworth</translation>
    </message>
    <message>
        <source>Linkwitz-Riley</source>
        <translation>Linkwitz-Riley</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>PEQ</translation>
    </message>
    <message>
        <source>Low Shelf</source>
        <translation>Low Shelf</translation>
    </message>
    <message>
        <source>High Shelf</source>
        <translation>High Shelf</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Freq</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Slope</source>
        <translation>Slope</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> knob</translation>
    </message>
    <message>
        <source>High Pass</source>
        <translation>High Pass</translation>
    </message>
    <message>
        <source>Low Pass</source>
        <translation>Low Pass</translation>
    </message>
    <message>
        <source>(dB/oct)</source>
        <translation>(dB/oct)</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>All Enabled</source>
        <translation>All Enabled</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Band %1</source>
        <translation>Band %1</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Response</source>
        <translation>Response</translation>
    </message>
    <message>
        <source>Filter Copy</source>
        <translation>Filter Copy</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the filter of the selected channel?</source>
        <translation>Are you sure that you want to reset the filter of the selected channel?</translation>
    </message>
</context>
<context>
    <name>FirmwareUpgrade</name>
    <message>
        <source>File format is error!</source>
        <translation>File format is error!</translation>
    </message>
    <message>
        <source>File is error!</source>
        <translation>File is error!</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>Upgrade failed!</translation>
    </message>
    <message>
        <source>The upgrade was stopped; the device did not receive the whole image.</source>
        <translation>The upgrade was stopped; the device did not receive the whole image.</translation>
    </message>
</context>
<context>
    <name>GPIOSetupDialog</name>
    <message>
        <source>GPIO Setup</source>
        <translation>GPIO Setup</translation>
    </message>
    <message>
        <source>GPIO</source>
        <translation>GPIO</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>Load Preset</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
</context>
<context>
    <name>GateWidget</name>
    <message>
        <source>Thresh</source>
        <translation>Thresh</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> knob</translation>
    </message>
</context>
<context>
    <name>HeardDeviceTableModel</name>
    <message>
        <source>%1 s ago</source>
        <translation>%1 s ago</translation>
    </message>
    <message>
        <source>in a local subnet</source>
        <translation>in a local subnet</translation>
    </message>
    <message>
        <source>not reachable from this PC</source>
        <translation>not reachable from this PC</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Last Heard</source>
        <translation>Last Heard</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>InSetupWidget</name>
    <message>
        <source>Mic</source>
        <translation>Mic</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>48V</source>
        <translation>48V</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>(dBu)</source>
        <translation>(dBu)</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> knob</translation>
    </message>
</context>
<context>
    <name>InterfaceTableModel</name>
    <message>
        <source>%1 datagrams since the program started</source>
        <translation>%1 datagrams since the program started</translation>
    </message>
    <message>
        <source>%1 (this PC)</source>
        <translation>%1 (this PC)</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>Broadcast</source>
        <translation>Broadcast</translation>
    </message>
    <message>
        <source>Datagrams (Last Minute)</source>
        <translation>Datagrams (Last Minute)</translation>
    </message>
    <message>
        <source>Devices Heard</source>
        <translation>Devices Heard</translation>
    </message>
</context>
<context>
    <name>LabelDialog</name>
    <message>
        <source>Label</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Input Label</source>
        <translation>Input Label</translation>
    </message>
    <message>
        <source>Output Label</source>
        <translation>Output Label</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>Touch Screen Label</translation>
    </message>
    <message>
        <source>The input label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The input label&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The output label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The output label&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The touch screen label&apos;s length can not be greater than 10 bytes, please enter again!</source>
        <translation>The touch screen label&apos;s length can not be greater than 10 bytes, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>LevelWidget</name>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source> fader</source>
        <translation> fader</translation>
    </message>
</context>
<context>
    <name>LimiterWidget</name>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>Decay</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transfer</translation>
    </message>
    <message>
        <source>Limiter Copy</source>
        <translation>Limiter Copy</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the limiter of the selected channel?</source>
        <translation>Are you sure that you want to reset the limiter of the selected channel?</translation>
    </message>
</context>
<context>
    <name>LinkWatch</name>
    <message>
        <source>Another device was selected.</source>
        <translation>Another device was selected.</translation>
    </message>
    <message>
        <source>The connection to the device was lost.</source>
        <translation>The connection to the device was lost.</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Enter password to login</source>
        <translation>Enter password to login</translation>
    </message>
    <message>
        <source>Password is wrong!</source>
        <translation>Password is wrong!</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Interface Color</source>
        <translation>Interface Color</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Device Setup</source>
        <translation>Device Setup</translation>
    </message>
    <message>
        <source>GPIO Setup</source>
        <translation>GPIO Setup</translation>
    </message>
    <message>
        <source>Dante Setup</source>
        <translation>Dante Setup</translation>
    </message>
    <message>
        <source>Device Version Selection</source>
        <translation>Device Version Selection</translation>
    </message>
    <message>
        <source>Rec/Play</source>
        <translation>Rec/Play</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>System Upgrade</source>
        <translation>System Upgrade</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>System Reset</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>Command Assistant</translation>
    </message>
    <message>
        <source>High DPI Scaling</source>
        <translation>High DPI Scaling</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>App Version : </source>
        <translation>App Version : </translation>
    </message>
    <message>
        <source>Disabling high DPI scaling and the application will keep the default size.

</source>
        <translation>Disabling high DPI scaling and the application will keep the default size.

</translation>
    </message>
    <message>
        <source>Need to restart the application to take effect, are you sure that you want to restart now?</source>
        <translation>Need to restart the application to take effect, are you sure that you want to restart now?</translation>
    </message>
    <message>
        <source>Restart to take effect</source>
        <translation>Restart to take effect</translation>
    </message>
    <message>
        <source>Restart immediately to take effect</source>
        <translation>Restart immediately to take effect</translation>
    </message>
    <message>
        <source>No, take effect at next startup</source>
        <translation>No, take effect at next startup</translation>
    </message>
    <message>
        <source>Protocol Log</source>
        <translation>Protocol Log</translation>
    </message>
    <message>
        <source>Network Diagnostics</source>
        <translation>Network Diagnostics</translation>
    </message>
    <message>
        <source>Change Journal</source>
        <translation>Change Journal</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Device Fault</source>
        <translation>Device Fault</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>System Reset</translation>
    </message>
    <message>
        <source>Restore the factory settings will delete all user data!</source>
        <translation>Restore the factory settings will delete all user data!</translation>
    </message>
    <message>
        <source>Are you sure that you want to reformat the disk and erase all data?</source>
        <translation>Are you sure that you want to reformat the disk and erase all data?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>Found fault :</source>
        <translation>Found fault :</translation>
    </message>
    <message>
        <source>See the Device Setup page for details.</source>
        <translation>See the Device Setup page for details.</translation>
    </message>
    <message>
        <source>Strips scroll bar</source>
        <translation>Strips scroll bar</translation>
    </message>
</context>
<context>
    <name>MatrixTableWidget</name>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable all the input channel mix to </source>
        <translation>Are you sure that you want to enable or disable all the input channel mix to </translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable </source>
        <translation>Are you sure that you want to enable or disable </translation>
    </message>
    <message>
        <source> mix to all the output channel?</source>
        <translation> mix to all the output channel?</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>All the input channel mix to </source>
        <translation>All the input channel mix to </translation>
    </message>
    <message>
        <source> mix to all the output channel</source>
        <translation> mix to all the output channel</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>on, %1 dB</source>
        <translation>on, %1 dB</translation>
    </message>
</context>
<context>
    <name>MatrixWidget</name>
    <message>
        <source>All Mix</source>
        <translation>All Mix</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable all the mixer and set their gain to 0dB?</source>
        <translation>Are you sure that you want to enable all the mixer and set their gain to 0dB?</translation>
    </message>
    <message>
        <source>Are you sure that you want to disable all the mixer and set their gain to 0dB?</source>
        <translation>Are you sure that you want to disable all the mixer and set their gain to 0dB?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>Crossings</translation>
    </message>
</context>
<context>
    <name>MeterBank</name>
    <message>
        <source> meter</source>
        <translation> meter</translation>
    </message>
</context>
<context>
    <name>MeterDialog</name>
    <message>
        <source>Meter</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Input Pre Fader</source>
        <translation>Input Pre Fader</translation>
    </message>
    <message>
        <source>Input Post Fader</source>
        <translation>Input Post Fader</translation>
    </message>
    <message>
        <source>Output Pre Fader</source>
        <translation>Output Pre Fader</translation>
    </message>
    <message>
        <source>Output Post Fader</source>
        <translation>Output Post Fader</translation>
    </message>
    <message>
        <source>Meter: %1</source>
        <translation>Meter: %1</translation>
    </message>
</context>
<context>
    <name>ModuleWidget</name>
    <message>
        <source>In Setup</source>
        <translation>In Setup</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>Gate</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>AGC</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>In Filter</source>
        <translation>In Filter</translation>
    </message>
    <message>
        <source>In Limiter</source>
        <translation>In Limiter</translation>
    </message>
    <message>
        <source>In Delay</source>
        <translation>In Delay</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>Level Pre Mix</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Signal Generator</source>
        <translation>Signal Generator</translation>
    </message>
    <message>
        <source>AEC</source>
        <translation>AEC</translation>
    </message>
    <message>
        <source>Auto Mixer</source>
        <translation>Auto Mixer</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>Out Level</translation>
    </message>
    <message>
        <source>Out Filter</source>
        <translation>Out Filter</translation>
    </message>
    <message>
        <source>ANC</source>
        <translation>ANC</translation>
    </message>
    <message>
        <source>Out Limiter</source>
        <translation>Out Limiter</translation>
    </message>
    <message>
        <source>Out Delay</source>
        <translation>Out Delay</translation>
    </message>
</context>
<context>
    <name>NetworkDiagnosticsDialog</name>
    <message>
        <source>Network Diagnostics</source>
        <translation>Network Diagnostics</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>Move to My Subnet...</source>
        <translation>Move to My Subnet...</translation>
    </message>
    <message>
        <source>No discovery datagram has arrived on any interface for %1 s. What usually causes it:
- a firewall rule that blocks this program or UDP port 6697,
- a VPN connection that takes over the network traffic,
- a network cable that is unplugged or broken,
- this PC being connected to another network than the devices.</source>
        <translation>No discovery datagram has arrived on any interface for %1 s. What usually causes it:
- a firewall rule that blocks this program or UDP port 6697,
- a VPN connection that takes over the network traffic,
- a network cable that is unplugged or broken,
- this PC being connected to another network than the devices.</translation>
    </message>
    <message>
        <source>The subnet of %1 (%2, mask %3) has no free address for the device.</source>
        <translation>The subnet of %1 (%2, mask %3) has no free address for the device.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>OneChannelPage</name>
    <message>
        <source> - Copy </source>
        <translation> - Copy </translation>
    </message>
    <message>
        <source> to</source>
        <translation> to</translation>
    </message>
    <message>
        <source>Copy To</source>
        <translation>Copy To</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>OverviewWidget</name>
    <message>
        <source>Disconnected</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>ARM Version : </source>
        <translation>ARM Version : </translation>
    </message>
    <message>
        <source>DSP Version : </source>
        <translation>DSP Version : </translation>
    </message>
    <message>
        <source>Dante Support : </source>
        <translation>Dante Support : </translation>
    </message>
    <message>
        <source>Dante Connect Status : </source>
        <translation>Dante Connect Status : </translation>
    </message>
    <message>
        <source>DSP Usage : </source>
        <translation>DSP Usage : </translation>
    </message>
    <message>
        <source>Serial Number : </source>
        <translation>Serial Number : </translation>
    </message>
    <message>
        <source>Overview: %1</source>
        <translation>Overview: %1</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Overview: Input</source>
        <translation>Overview: Input</translation>
    </message>
    <message>
        <source>Overview: Output</source>
        <translation>Overview: Output</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>System Mute</translation>
    </message>
    <message>
        <source>Overview: System Mute</source>
        <translation>Overview: System Mute</translation>
    </message>
</context>
<context>
    <name>PresetDialog</name>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Preset: %1 </source>
        <translation>Preset: %1 </translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Import All</source>
        <translation>Import All</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Export All</translation>
    </message>
    <message>
        <source>Preset: Import All</source>
        <translation>Preset: Import All</translation>
    </message>
    <message>
        <source>Preset: Export All</source>
        <translation>Preset: Export All</translation>
    </message>
    <message>
        <source>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>%1?</source>
        <translation>%1?</translation>
    </message>
    <message>
        <source>Are you sure that you want to save current settings to preset </source>
        <translation>Are you sure that you want to save current settings to preset </translation>
    </message>
    <message>
        <source>Are you sure that you want to load preset </source>
        <translation>Are you sure that you want to load preset </translation>
    </message>
    <message>
        <source>Are you sure that you want to delete preset </source>
        <translation>Are you sure that you want to delete preset </translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>pstl file</source>
        <translation>pstl file</translation>
    </message>
    <message>
        <source>pst file</source>
        <translation>pst file</translation>
    </message>
    <message>
        <source>Select a preset file to import</source>
        <translation>Select a preset file to import</translation>
    </message>
    <message>
        <source>Save all presets as</source>
        <translation>Save all presets as</translation>
    </message>
    <message>
        <source>Save preset as</source>
        <translation>Save preset as</translation>
    </message>
    <message>
        <source>No device is connected.</source>
        <translation>No device is connected.</translation>
    </message>
    <message>
        <source>File format is error!</source>
        <translation>File format is error!</translation>
    </message>
    <message>
        <source>Preset: Slots</source>
        <translation>Preset: Slots</translation>
    </message>
</context>
<context>
    <name>PresetTransfer</name>
    <message>
        <source>Exporting All...</source>
        <translation>Exporting All...</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>Import All...</source>
        <translation>Import All...</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>%1 can not be written: %2</source>
        <translation>%1 can not be written: %2</translation>
    </message>
    <message>
        <source>Block %1 could not be written to %2: %3.</source>
        <translation>Block %1 could not be written to %2: %3.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation>%1 could not be saved: %2.</translation>
    </message>
    <message>
        <source>The import was stopped; the device did not receive the whole file.</source>
        <translation>The import was stopped; the device did not receive the whole file.</translation>
    </message>
    <message>
        <source>The export was stopped; %1 was left unchanged.</source>
        <translation>The export was stopped; %1 was left unchanged.</translation>
    </message>
    <message>
        <source>The export was stopped; no file was written.</source>
        <translation>The export was stopped; no file was written.</translation>
    </message>
    <message>
        <source>The device did not answer for %1 seconds.</source>
        <translation>The device did not answer for %1 seconds.</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ProtocolLogDialog</name>
    <message>
        <source>Protocol Log</source>
        <translation>Protocol Log</translation>
    </message>
    <message>
        <source>Filter (name or key):</source>
        <translation>Filter (name or key):</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>%1 frames in the log (the last %2 are kept)</source>
        <translation>%1 frames in the log (the last %2 are kept)</translation>
    </message>
    <message>
        <source>Save the protocol log</source>
        <translation>Save the protocol log</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>The log could not be saved to %1:
%2</source>
        <translation>The log could not be saved to %1:
%2</translation>
    </message>
</context>
<context>
    <name>ProtocolLogModel</name>
    <message>
        <source>(no longer in the log)</source>
        <translation>(no longer in the log)</translation>
    </message>
</context>
<context>
    <name>RecPlayDialog</name>
    <message>
        <source>Rec/Play</source>
        <translation>Rec/Play</translation>
    </message>
    <message>
        <source>USB Playback</source>
        <translation>USB Playback</translation>
    </message>
    <message>
        <source>USB Play List</source>
        <translation>USB Play List</translation>
    </message>
    <message>
        <source>USB Record</source>
        <translation>USB Record</translation>
    </message>
    <message>
        <source>USB Record List</source>
        <translation>USB Record List</translation>
    </message>
    <message>
        <source>Record Source</source>
        <translation>Record Source</translation>
    </message>
    <message>
        <source>Note:
Supports mp3, wav, ape, aac and flac file formats for USB playback. Only supports USB storage device of FAT32 format.
Play files fixed in the audio directory of the root directory. Record files fixed in the record directory of the root directory.</source>
        <translation>Note:
Supports mp3, wav, ape, aac and flac file formats for USB playback. Only supports USB storage device of FAT32 format.
Play files fixed in the audio directory of the root directory. Record files fixed in the record directory of the root directory.</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>NO.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>Repeat Single</source>
        <translation>Repeat Single</translation>
    </message>
    <message>
        <source>Repeat List</source>
        <translation>Repeat List</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Play Time</source>
        <translation>Play Time</translation>
    </message>
    <message>
        <source>Play File</source>
        <translation>Play File</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>Record Time</translation>
    </message>
    <message>
        <source>Record File</source>
        <translation>Record File</translation>
    </message>
    <message>
        <source>Are you sure that you want to switch IN 1 and IN 2 to USB mode, and enable USB play?</source>
        <translation>Are you sure that you want to switch IN 1 and IN 2 to USB mode, and enable USB play?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ReportGate</name>
    <message>
        <source>Waiting for the device to report these values</source>
        <translation>Waiting for the device to report these values</translation>
    </message>
</context>
<context>
    <name>SignalGeneratorWidget</name>
    <message>
        <source>Signal Generator</source>
        <translation>Signal Generator</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Pink Noise</source>
        <translation>Pink Noise</translation>
    </message>
    <message>
        <source>Sine Wave</source>
        <translation>Sine Wave</translation>
    </message>
    <message>
        <source>White Noise</source>
        <translation>White Noise</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>Freq</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>(dB)</source>
        <translation>(dB)</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> knob</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>App Version</source>
        <translation>App Version</translation>
    </message>
</context>
<context>
    <name>SystemSettings</name>
    <message>
        <source>Digital Audio Processor</source>
        <translation>Digital Audio Processor</translation>
    </message>
</context>
<context>
    <name>SystemUpgradeProgressDialog</name>
    <message>
        <source>Select a firmware file to upgrade</source>
        <translation>Select a firmware file to upgrade</translation>
    </message>
    <message>
        <source>img file</source>
        <translation>img file</translation>
    </message>
    <message>
        <source>System Upgrade</source>
        <translation>System Upgrade</translation>
    </message>
    <message>
        <source>Backing up presets...</source>
        <translation>Backing up presets...</translation>
    </message>
    <message>
        <source>Upgrade the device&apos;s firmware with %1?</source>
        <translation>Upgrade the device&apos;s firmware with %1?</translation>
    </message>
    <message>
        <source>The presets are backed up to:
%1</source>
        <translation>The presets are backed up to:
%1</translation>
    </message>
    <message>
        <source>Back up all presets first</source>
        <translation>Back up all presets first</translation>
    </message>
    <message>
        <source>System Upgrade: Back up all presets first</source>
        <translation>System Upgrade: Back up all presets first</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>System Upgrade: Upgrade</source>
        <translation>System Upgrade: Upgrade</translation>
    </message>
    <message>
        <source>System Upgrade: Cancel</source>
        <translation>System Upgrade: Cancel</translation>
    </message>
    <message>
        <source>No device is connected.</source>
        <translation>No device is connected.</translation>
    </message>
    <message>
        <source>%1 can not be created.</source>
        <translation>%1 can not be created.</translation>
    </message>
    <message>
        <source>The presets could not be backed up.</source>
        <translation>The presets could not be backed up.</translation>
    </message>
    <message>
        <source>Upgrade the firmware anyway?</source>
        <translation>Upgrade the firmware anyway?</translation>
    </message>
    <message>
        <source>Upgrading...</source>
        <translation>Upgrading...</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>Upgrade failed!</translation>
    </message>
</context>
<context>
    <name>TwoFieldInputDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>transfer</name>
    <message>
        <source>The file is too large: %1 bytes. At most %2 bytes can be sent to the device.</source>
        <translation>The file is too large: %1 bytes. At most %2 bytes can be sent to the device.</translation>
    </message>
</context>
</TS>
