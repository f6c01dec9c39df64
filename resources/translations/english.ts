<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
    <name>AddDeviceDialog</name>
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
    <name>DeviceItemWidget</name>
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
</context>
<context>
    <name>EditDeviceDialog</name>
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
        <source>The input label's length can not be greater than 16 bytes, please enter again!</source>
        <translation>The input label's length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The output label's length can not be greater than 16 bytes, please enter again!</source>
        <translation>The output label's length can not be greater than 16 bytes, please enter again!</translation>
    </message>
    <message>
        <source>The touch screen label's length can not be greater than 10 bytes, please enter again!</source>
        <translation>The touch screen label's length can not be greater than 10 bytes, please enter again!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
</TS>
