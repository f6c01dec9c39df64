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
    <name>ModuleWidget</name>
    <message>
        <source>In Setup</source>
        <translation>输入设置</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>噪声门</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>自动增益</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>反馈抑制</translation>
    </message>
    <message>
        <source>In Filter</source>
        <translation>输入滤波</translation>
    </message>
    <message>
        <source>In Limiter</source>
        <translation>输入限幅</translation>
    </message>
    <message>
        <source>In Delay</source>
        <translation>输入延时</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>矩阵</translation>
    </message>
    <message>
        <source>Signal Generator</source>
        <translation>信号发生器</translation>
    </message>
    <message>
        <source>AEC</source>
        <translation>回声消除</translation>
    </message>
    <message>
        <source>Auto Mixer</source>
        <translation>自动混音</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Out Filter</source>
        <translation>输出滤波</translation>
    </message>
    <message>
        <source>ANC</source>
        <translation>降噪</translation>
    </message>
    <message>
        <source>Out Limiter</source>
        <translation>输出限幅</translation>
    </message>
    <message>
        <source>Out Delay</source>
        <translation>输出延时</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
</context>
<context>
    <name>FilterWidget</name>
    <message>
        <source>Bessel</source>
        <translation>贝塞尔</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>巴特沃斯</translation>
    </message>
    <message>
        <source>Linkwitz-Riley</source>
        <translation>林奎茨-瑞利</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>参量均衡</translation>
    </message>
    <message>
        <source>Low Shelf</source>
        <translation>低架</translation>
    </message>
    <message>
        <source>High Shelf</source>
        <translation>高架</translation>
    </message>
    <message>
        <source>Copy To</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Slope</source>
        <translation>斜率</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> 旋钮</translation>
    </message>
    <message>
        <source>High Pass</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>Low Pass</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>(dB/oct)</source>
        <translation>(dB/倍频程)</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
    </message>
    <message>
        <source>All Enabled</source>
        <translation>全部启用</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Band %1</source>
        <translation>频段 %1</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
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
        <translation>响应曲线</translation>
    </message>
    <message>
        <source>Filter Copy</source>
        <translation>滤波器复制</translation>
    </message>
    <message>
        <source> - Copy </source>
        <translation> - 复制 </translation>
    </message>
    <message>
        <source> to</source>
        <translation> 到</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the filter of the selected channel?</source>
        <translation>确定要复位所选通道的滤波器吗？</translation>
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
    <name>FilterGraph</name>
    <message>
        <source>Export Response...</source>
        <translation>导出响应曲线...</translation>
    </message>
    <message>
        <source>Export Response</source>
        <translation>导出响应曲线</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
</context>
<context>
    <name>ChannelCopyDialog</name>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
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
    <name>AGCWidget</name>
    <message>
        <source>Threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>压缩比</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>释放时间</translation>
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
        <translation>传输曲线</translation>
    </message>
    <message>
        <source>AGC Copy</source>
        <translation>自动增益复制</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the agc of the selected channel?</source>
        <translation>确定要复位所选通道的自动增益吗？</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
</context>
<context>
    <name>DelayWidget</name>
    <message>
        <source>Milliseconds</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>Meters</source>
        <translation>米</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>英尺</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> 旋钮</translation>
    </message>
</context>
<context>
    <name>DynamicsPage</name>
    <message>
        <source> - Copy </source>
        <translation> - 复制 </translation>
    </message>
    <message>
        <source> to</source>
        <translation> 到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
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
        <source>Copy To</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> 旋钮</translation>
    </message>
</context>
<context>
    <name>FeedbackWidget</name>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
</context>
<context>
    <name>GateWidget</name>
    <message>
        <source>Thresh</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>释放时间</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
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
        <translation>开启</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> 旋钮</translation>
    </message>
</context>
<context>
    <name>InSetupWidget</name>
    <message>
        <source>Mic</source>
        <translation>话筒</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>线路</translation>
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
        <translation>静音</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>(dBu)</source>
        <translation>(dBu)</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> 旋钮</translation>
    </message>
</context>
<context>
    <name>LevelWidget</name>
    <message>
        <source>Invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>编组</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source> fader</source>
        <translation> 推子</translation>
    </message>
</context>
<context>
    <name>LimiterWidget</name>
    <message>
        <source>Threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>压缩比</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>Decay</source>
        <translation>释放时间</translation>
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
        <translation>传输曲线</translation>
    </message>
    <message>
        <source>Limiter Copy</source>
        <translation>限幅器复制</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the limiter of the selected channel?</source>
        <translation>确定要复位所选通道的限幅器吗？</translation>
    </message>
</context>
</TS>
