<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>SplashScreen</name>
    <message>
        <source>Loading</source>
        <translation>正在加载</translation>
    </message>
    <message>
        <source>App Version</source>
        <translation>软件版本</translation>
    </message>
</context>
<context>
    <name>SystemSettings</name>
    <message>
        <source>Digital Audio Processor</source>
        <translation>数字音频处理器</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Add Device</source>
        <translation>添加设备</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>DeviceItemWidget</name>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Logined</source>
        <translation>已登录</translation>
    </message>
    <message>
        <source>Unlogin</source>
        <translation>未登录</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
</context>
<context>
    <name>DeviceListDialog</name>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM版本</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP版本</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation>连接状态</translation>
    </message>
    <message>
        <source>Run Time</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <source>Total Time</source>
        <translation>累计时间</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Online(Unlogin)</source>
        <translation>在线(未登录)</translation>
    </message>
    <message>
        <source>Online(Logined)</source>
        <translation>在线(已登录)</translation>
    </message>
    <message>
        <source>Logined</source>
        <translation>已登录</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
</context>
<context>
    <name>DeviceWidget</name>
    <message>
        <source>Add Device</source>
        <translation>添加设备</translation>
    </message>
    <message>
        <source>Modify Network Parameters</source>
        <translation>修改网络参数</translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation>移除设备</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>Connection Timeout</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</source>
        <translation>* 连接超时！
* 请检查网络连接！
* 请确认电脑与设备处于同一网段！
* 请确认网络中没有其他设备与该设备的IP冲突！
  您可以尝试修改电脑的IP或设备的IP。
  在设备上单击鼠标右键，即可修改其IP。</translation>
    </message>
    <message>
        <source>Modify device IP immediately</source>
        <translation>立即修改设备IP</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Do not remind again</source>
        <translation>不再提醒</translation>
    </message>
    <message>
        <source>Are you sure that you want to disconnect the device?</source>
        <translation>确定要断开与设备的连接吗？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>EditDeviceDialog</name>
    <message>
        <source>Modify Network Parameters</source>
        <translation>修改网络参数</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Enter password to login</source>
        <translation>请输入密码登录</translation>
    </message>
    <message>
        <source>Password is wrong!</source>
        <translation>密码错误！</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Interface Color</source>
        <translation>界面颜色</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>浅色</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>深色</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Device Setup</source>
        <translation>设备设置</translation>
    </message>
    <message>
        <source>GPIO Setup</source>
        <translation>GPIO设置</translation>
    </message>
    <message>
        <source>Dante Setup</source>
        <translation>Dante设置</translation>
    </message>
    <message>
        <source>Device Version Selection</source>
        <translation>设备版本选择</translation>
    </message>
    <message>
        <source>Rec/Play</source>
        <translation>录放音</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>System Upgrade</source>
        <translation>系统升级</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>指令助手</translation>
    </message>
    <message>
        <source>High DPI Scaling</source>
        <translation>高DPI缩放</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>App Version : </source>
        <translation>软件版本 : </translation>
    </message>
    <message>
        <source>Disabling high DPI scaling and the application will keep the default size.

</source>
        <translation>禁用高DPI缩放后，程序将保持默认尺寸。

</translation>
    </message>
    <message>
        <source>Need to restart the application to take effect, are you sure that you want to restart now?</source>
        <translation>需要重启程序才能生效，确定现在重启吗？</translation>
    </message>
    <message>
        <source>Restart to take effect</source>
        <translation>重启生效</translation>
    </message>
    <message>
        <source>Restart immediately to take effect</source>
        <translation>立即重启生效</translation>
    </message>
    <message>
        <source>No, take effect at next startup</source>
        <translation>否，下次启动时生效</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Device Fault</source>
        <translation>设备故障</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Restore the factory settings will delete all user data!</source>
        <translation>恢复出厂设置将删除所有用户数据！</translation>
    </message>
    <message>
        <source>Are you sure that you want to reformat the disk and erase all data?</source>
        <translation>确定要格式化磁盘并清除所有数据吗？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>编解码器</translation>
    </message>
    <message>
        <source>Found fault :</source>
        <translation>发现故障：</translation>
    </message>
    <message>
        <source>See the Device Setup page for details.</source>
        <translation>详情请查看设备设置页面。</translation>
    </message>
</context>
<context>
    <name>LabelDialog</name>
    <message>
        <source>Label</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>Input Label</source>
        <translation>输入标签</translation>
    </message>
    <message>
        <source>Output Label</source>
        <translation>输出标签</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>触摸屏标签</translation>
    </message>
    <message>
        <source>The input label's length can not be greater than 16 bytes, please enter again!</source>
        <translation>输入标签的长度不能大于16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The output label's length can not be greater than 16 bytes, please enter again!</source>
        <translation>输出标签的长度不能大于16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The touch screen label's length can not be greater than 10 bytes, please enter again!</source>
        <translation>触摸屏标签的长度不能大于10个字节，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>GPIOSetupDialog</name>
    <message>
        <source>GPIO Setup</source>
        <translation>GPIO设置</translation>
    </message>
    <message>
        <source>GPIO</source>
        <translation>GPIO</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>调用预设</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
</context>
<context>
    <name>RecPlayDialog</name>
    <message>
        <source>Rec/Play</source>
        <translation>录放</translation>
    </message>
    <message>
        <source>USB Playback</source>
        <translation>USB播放</translation>
    </message>
    <message>
        <source>USB Play List</source>
        <translation>USB播放列表</translation>
    </message>
    <message>
        <source>USB Record</source>
        <translation>USB录音</translation>
    </message>
    <message>
        <source>USB Record List</source>
        <translation>USB录音列表</translation>
    </message>
    <message>
        <source>Record Source</source>
        <translation>录音源</translation>
    </message>
    <message>
        <source>Note:
Supports mp3, wav, ape, aac and flac file formats for USB playback. Only supports USB storage device of FAT32 format.
Play files fixed in the audio directory of the root directory. Record files fixed in the record directory of the root directory.</source>
        <translation>注意：
USB播放支持mp3、wav、ape、aac和flac文件格式。仅支持FAT32格式的USB存储设备。
播放文件固定在根目录的audio目录中。录音文件固定在根目录的record目录中。</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>顺序播放</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>随机播放</translation>
    </message>
    <message>
        <source>Repeat Single</source>
        <translation>单曲循环</translation>
    </message>
    <message>
        <source>Repeat List</source>
        <translation>列表循环</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一首</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一首</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>播放位置</translation>
    </message>
    <message>
        <source>Play Time</source>
        <translation>播放时间</translation>
    </message>
    <message>
        <source>Play File</source>
        <translation>播放文件</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>录音</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>录音时间</translation>
    </message>
    <message>
        <source>Record File</source>
        <translation>录音文件</translation>
    </message>
    <message>
        <source>Are you sure that you want to switch IN 1 and IN 2 to USB mode, and enable USB play?</source>
        <translation>确定要将IN 1和IN 2切换到USB模式并启用USB播放吗？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>DeviceVersionSelectionDialog</name>
    <message>
        <source>Device Version Selection</source>
        <translation>设备版本选择</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Analog Input</source>
        <translation>模拟输入</translation>
    </message>
    <message>
        <source>Analog Output</source>
        <translation>模拟输出</translation>
    </message>
    <message>
        <source>Dante Input</source>
        <translation>Dante输入</translation>
    </message>
    <message>
        <source>Dante Output</source>
        <translation>Dante输出</translation>
    </message>
    <message>
        <source>USB Rec/Play</source>
        <translation>USB录放</translation>
    </message>
    <message>
        <source>Show at startup</source>
        <translation>启动时显示</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Device Version</source>
        <translation>设备版本</translation>
    </message>
</context>
</TS>
