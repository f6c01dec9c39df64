<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AECWidget</name>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>From
Video conference
terminal audio</source>
        <translation>来自
视频会议
终端音频</translation>
    </message>
    <message>
        <source>To
Video conference
terminal audio</source>
        <translation>送往
视频会议
终端音频</translation>
    </message>
    <message>
        <source>IN CH3-16
Local conference
audio source</source>
        <translation>输入 CH3-16
本地会议
音源</translation>
    </message>
    <message>
        <source>OUT CH3-16
Local conference
Amplifier</source>
        <translation>输出 CH3-16
本地会议
功放</translation>
    </message>
    <message>
        <source>Diagram</source>
        <translation>示意图</translation>
    </message>
    <message>
        <source>Local Setting</source>
        <translation>本地设置</translation>
    </message>
    <message>
        <source>Remote Setting</source>
        <translation>远端设置</translation>
    </message>
    <message>
        <source>Select the local microphone channels for video conference</source>
        <translation>选择用于视频会议的本地话筒通道</translation>
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
</context>
<context>
    <name>ANCWidget</name>
    <message>
        <source>Channel Enabled</source>
        <translation>启用通道</translation>
    </message>
    <message>
        <source>Noise Reduction Level</source>
        <translation>降噪等级</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>弱</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>强</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>最强</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Please enter the whole IP address of the device (four numbers separated by dots, not 0.x.x.x).</source>
        <translation>请输入设备的完整IP地址（以点分隔的四个数字，不能是0.x.x.x）。</translation>
    </message>
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
    <name>AutoMixerWidget</name>
    <message>
        <source>Instructions for using automix</source>
        <translation>自动混音使用说明</translation>
    </message>
    <message>
        <source>1. Features two independent automix groups.</source>
        <translation>1. 提供两个独立的自动混音组。</translation>
    </message>
    <message>
        <source>2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.</source>
        <translation>2. 选择AM1或AM2按钮，将通道分配到自动混音组1或2。</translation>
    </message>
    <message>
        <source>3. Use the fader to modify the priority of the volume assigned to the channel.</source>
        <translation>3. 用推子调整分配给该通道的音量优先级。</translation>
    </message>
    <message>
        <source>In general, which channel&apos;s voice is important, its weight is assigned more. Normally, the default is 0.</source>
        <translation>一般来说，哪个通道的语音更重要，就给它分配更大的权重。默认值通常为0。</translation>
    </message>
    <message>
        <source>4. Click the &quot;AM X Enabled&quot; button to enable or disable automix group X.</source>
        <translation>4. 点击“AM X 启用”按钮，启用或禁用自动混音组X。</translation>
    </message>
    <message>
        <source>5. The upper and lower meters indicate the attenuation and the level after attenuation.</source>
        <translation>5. 上方和下方的电平表分别指示衰减量和衰减后的电平。</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Are you sure that you want to reset the auto mixer?</source>
        <translation>确定要复位自动混音吗？</translation>
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
        <source>AM %1 Enabled</source>
        <translation>AM %1 启用</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>使用说明</translation>
    </message>
    <message>
        <source>AM %1</source>
        <translation>AM %1</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>权重</translation>
    </message>
    <message>
        <source>Attenuation</source>
        <translation>衰减</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source> fader</source>
        <translation> 推子</translation>
    </message>
</context>
<context>
    <name>ChangeJournal</name>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页面</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控件</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>变更</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
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
        <source>Freq</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比率</translation>
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
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>+48V</source>
        <translation>+48V</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>反馈抑制</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>编组</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>波形</translation>
    </message>
    <message>
        <source>Record Source</source>
        <translation>录音源</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>权重</translation>
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
        <source>RS-232 Baud Rate</source>
        <translation>RS-232 波特率</translation>
    </message>
    <message>
        <source>Gate Report</source>
        <translation>门限上报</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>触摸屏标签</translation>
    </message>
    <message>
        <source>High Pass %1</source>
        <translation>高通 %1</translation>
    </message>
    <message>
        <source>Low Pass %1</source>
        <translation>低通 %1</translation>
    </message>
    <message>
        <source>Band %1 %2</source>
        <translation>频段 %1 %2</translation>
    </message>
    <message>
        <source>user</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>preset load</source>
        <translation>加载预设</translation>
    </message>
    <message>
        <source>device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>编组 %1</translation>
    </message>
    <message>
        <source>Port %1</source>
        <translation>端口 %1</translation>
    </message>
    <message>
        <source>on</source>
        <translation>开</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关</translation>
    </message>
</context>
<context>
    <name>ChangeJournalDialog</name>
    <message>
        <source>Change Journal</source>
        <translation>变更日志</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>页面：</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>来源：</translation>
    </message>
    <message>
        <source>Search:</source>
        <translation>搜索：</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>撤销更改</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>变更列表</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页面</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>全部设备</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>全部页面</translation>
    </message>
    <message>
        <source>All names</source>
        <translation>全部名称</translation>
    </message>
    <message>
        <source>All sources</source>
        <translation>全部来源</translation>
    </message>
    <message>
        <source>The change journal is off in this session: its file could not be used.</source>
        <translation>本次会话中变更日志已关闭：其文件无法使用。</translation>
    </message>
    <message>
        <source>%1 changes listed</source>
        <translation>已列出 %1 条变更</translation>
    </message>
    <message>
        <source>Only changes of the connected device can be reverted, and no device is connected.</source>
        <translation>只能撤销已连接设备的变更，而当前没有连接设备。</translation>
    </message>
    <message>
        <source>Only changes of the connected device can be reverted: %1 of the %2 selected changes were made on another device.</source>
        <translation>只能撤销已连接设备的变更：所选的 %2 条变更中有 %1 条来自其他设备。</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控件</translation>
    </message>
    <message>
        <source>Old</source>
        <translation>原值</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新值</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Export the change journal</source>
        <translation>导出变更日志</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The changes could not be written to %1:
%2</source>
        <translation>无法将变更写入 %1：
%2</translation>
    </message>
</context>
<context>
    <name>ChannelBlock</name>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
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
    <name>CheckInputDialog</name>
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
    <name>CommandAssistantDialog</name>
    <message>
        <source>Command Assistant</source>
        <translation>指令助手</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>系统静音</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>指令</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Send to Device</source>
        <translation>发送到设备</translation>
    </message>
    <message>
        <source>Device Reply</source>
        <translation>设备应答</translation>
    </message>
    <message>
        <source>Sent:</source>
        <translation>已发送：</translation>
    </message>
    <message>
        <source>No device is connected and logged in; nothing was sent.</source>
        <translation>没有已连接并登录的设备；未发送任何内容。</translation>
    </message>
    <message>
        <source>This command is not sent from here; nothing was sent.</source>
        <translation>此指令不从这里发送；未发送任何内容。</translation>
    </message>
    <message>
        <source>Sends the generated command to the connected device, to check it.</source>
        <translation>将生成的指令发送到已连接的设备，以便检验。</translation>
    </message>
    <message>
        <source>Sends this command to the connected device and sets the same value in this application, whose pages show it at once.</source>
        <translation>将此指令发送到已连接的设备，并在本软件中设置相同的值，各页面会立即显示。</translation>
    </message>
    <message>
        <source>Sends this command to the connected device as it is. Only external control systems use it; this application shows its effect when it next reads the device.</source>
        <translation>将此指令原样发送到已连接的设备。此指令仅供外部控制系统使用；本软件在下次读取设备时显示其效果。</translation>
    </message>
</context>
<context>
    <name>CommandLevelWidget</name>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>指令助手</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Gain(Fixed Value)</source>
        <translation>增益(固定值)</translation>
    </message>
    <message>
        <source>Gain(Increment/Decrement)</source>
        <translation>增益(递增/递减)</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CommandLoginWidget</name>
    <message>
        <source>Login(TCP Only)</source>
        <translation>登录(仅TCP)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
    <message>
        <source>Command Assistant</source>
        <translation>指令助手</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
</context>
<context>
    <name>CommandPresetWidget</name>
    <message>
        <source>Command Assistant</source>
        <translation>指令助手</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>调用预设</translation>
    </message>
    <message>
        <source>NO.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CommandSystemMuteWidget</name>
    <message>
        <source>Command Assistant</source>
        <translation>指令助手</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>系统静音</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>DanteSetupDialog</name>
    <message>
        <source>Dante Setup</source>
        <translation>Dante设置</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>设备信息</translation>
    </message>
    <message>
        <source>Device Config</source>
        <translation>设备配置</translation>
    </message>
    <message>
        <source>Receive Channel</source>
        <translation>接收通道</translation>
    </message>
    <message>
        <source>Transmit Channel</source>
        <translation>发送通道</translation>
    </message>
    <message>
        <source>Network Config</source>
        <translation>网络配置</translation>
    </message>
    <message>
        <source>Model Name</source>
        <translation>型号名称</translation>
    </message>
    <message>
        <source>Product Version</source>
        <translation>产品版本</translation>
    </message>
    <message>
        <source>Clock Status</source>
        <translation>时钟状态</translation>
    </message>
    <message>
        <source>Clock Source</source>
        <translation>时钟源</translation>
    </message>
    <message>
        <source>Clock State</source>
        <translation>同步状态</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>Device Latency</source>
        <translation>设备延时</translation>
    </message>
    <message>
        <source>Device Reset</source>
        <translation>设备复位</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>重启</translation>
    </message>
    <message>
        <source>Clear Config</source>
        <translation>清除配置</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Channel Label</source>
        <translation>通道标签</translation>
    </message>
    <message>
        <source>Connected to</source>
        <translation>连接到</translation>
    </message>
    <message>
        <source>Obtain an IP Address Automatically</source>
        <translation>自动获取IP地址</translation>
    </message>
    <message>
        <source>Manually configure an IP Address</source>
        <translation>手动配置IP地址</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Netmask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>DNS Server</source>
        <translation>DNS服务器</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>* Please use the official software Dante Controller for Dante routing.</source>
        <translation>* 请使用官方软件 Dante Controller 设置Dante路由。</translation>
    </message>
    <message>
        <source>Click to download Dante Controller</source>
        <translation>点击下载 Dante Controller</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>主时钟</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>从时钟</translation>
    </message>
    <message>
        <source>The device name&apos;s length can not be greater than 31 bytes, please enter again!</source>
        <translation>设备名称的长度不能超过31字节，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Renaming a device breaks existing audio routes from this device to other devices.
Are you sure that you want to rename</source>
        <translation>重命名设备会中断从本设备到其他设备的现有音频路由。
确定要将设备名称</translation>
    </message>
    <message>
        <source>to</source>
        <translation>改为</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Changing device latency will interrupt existing audio routes to and from this device.</source>
        <translation>更改设备延时会中断本设备收发的现有音频路由。</translation>
    </message>
    <message>
        <source>Are you sure that you want to change the latency from</source>
        <translation>确定要将延时从</translation>
    </message>
    <message>
        <source>Are you sure that you want to reboot?</source>
        <translation>确定要重启吗？</translation>
    </message>
    <message>
        <source>Are you sure that you want to clear configuration and reboot now to take effect?</source>
        <translation>确定要清除配置并立即重启生效吗？</translation>
    </message>
    <message>
        <source>Keep Network Configuration</source>
        <translation>保留网络配置</translation>
    </message>
    <message>
        <source>The channel label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>通道标签的长度不能超过16字节，请重新输入！</translation>
    </message>
    <message>
        <source>Are you sure that you want to change the IP address configuration and reboot now to take effect?</source>
        <translation>确定要更改IP地址配置并立即重启生效吗？</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
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
    <name>DeviceItemWidget</name>
    <message>
        <source>online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>logged in</source>
        <translation>已登录</translation>
    </message>
    <message>
        <source>fault</source>
        <translation>故障</translation>
    </message>
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
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
</context>
<context>
    <name>DeviceSetupDialog</name>
    <message>
        <source>Device Setup</source>
        <translation>设备设置</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>设备信息</translation>
    </message>
    <message>
        <source>General Setup</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>Volume Limit</source>
        <translation>音量限制</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Device Model</source>
        <translation>设备型号</translation>
    </message>
    <message>
        <source>DSP Version</source>
        <translation>DSP版本</translation>
    </message>
    <message>
        <source>ARM Version</source>
        <translation>ARM版本</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Boot Count</source>
        <translation>启动次数</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
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
        <source>RTC</source>
        <translation>实时时钟</translation>
    </message>
    <message>
        <source>USB Status</source>
        <translation>USB状态</translation>
    </message>
    <message>
        <source>Channel Config</source>
        <translation>通道配置</translation>
    </message>
    <message>
        <source>Code ID</source>
        <translation>编码ID</translation>
    </message>
    <message>
        <source>ANC Support</source>
        <translation>降噪支持</translation>
    </message>
    <message>
        <source>Dante Support</source>
        <translation>Dante支持</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>设备ID</translation>
    </message>
    <message>
        <source>Device Status</source>
        <translation>设备状态</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>编解码器</translation>
    </message>
    <message>
        <source>Device Voltage</source>
        <translation>设备电压</translation>
    </message>
    <message>
        <source>Device Location</source>
        <translation>设备位置</translation>
    </message>
    <message>
        <source>Device Description</source>
        <translation>设备描述</translation>
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
        <source>Gate Report</source>
        <translation>噪声门上报</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source> Baud Rate</source>
        <translation> 波特率</translation>
    </message>
    <message>
        <source>Data Sync(Dual backup)</source>
        <translation>数据同步(双机备份)</translation>
    </message>
    <message>
        <source>Not Supported</source>
        <translation>不支持</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>从机</translation>
    </message>
    <message>
        <source>Master IP Address</source>
        <translation>主机IP地址</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Login Password</source>
        <translation>登录密码</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Not inserted</source>
        <translation>未插入</translation>
    </message>
    <message>
        <source>Inserted</source>
        <translation>已插入</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>The device description&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>设备描述的长度不能超过16字节，请重新输入！</translation>
    </message>
    <message>
        <source>The device location&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>设备位置的长度不能超过16字节，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>The IP address&apos;s format is error, please enter again!</source>
        <translation>IP地址格式错误，请重新输入！</translation>
    </message>
    <message>
        <source>The subnet netmask&apos;s format is error, please enter again!</source>
        <translation>子网掩码格式错误，请重新输入！</translation>
    </message>
    <message>
        <source>The gateway address&apos;s format is error, please enter again!</source>
        <translation>网关地址格式错误，请重新输入！</translation>
    </message>
    <message>
        <source>Not Sync</source>
        <translation>未同步</translation>
    </message>
    <message>
        <source>Syncing</source>
        <translation>正在同步</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>已同步</translation>
    </message>
    <message>
        <source>Login Password Setting</source>
        <translation>登录密码设置</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>确认密码</translation>
    </message>
    <message>
        <source>The two passwords you entered are different, please enter again!</source>
        <translation>两次输入的密码不一致，请重新输入！</translation>
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
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
</context>
<context>
    <name>DynamicsPage</name>
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
    <name>EditDeviceDialog</name>
    <message>
        <source>Please enter the whole IP address (four numbers separated by dots).</source>
        <translation>请输入完整的IP地址（以点分隔的四个数字）。</translation>
    </message>
    <message>
        <source>This IP address cannot be given to a device.</source>
        <translation>此IP地址不能分配给设备。</translation>
    </message>
    <message>
        <source>Please enter the whole subnet mask, for example 255.255.255.0.</source>
        <translation>请输入完整的子网掩码，例如255.255.255.0。</translation>
    </message>
    <message>
        <source>The subnet mask is not valid, for example 255.255.255.0 is.</source>
        <translation>子网掩码无效，有效的例如255.255.255.0。</translation>
    </message>
    <message>
        <source>The IP address is the network address of this subnet mask.</source>
        <translation>该IP地址是此子网掩码下的网络地址。</translation>
    </message>
    <message>
        <source>The IP address is the broadcast address of this subnet mask.</source>
        <translation>该IP地址是此子网掩码下的广播地址。</translation>
    </message>
    <message>
        <source>Please enter the whole gateway address, or leave it empty.</source>
        <translation>请输入完整的网关地址，或留空。</translation>
    </message>
    <message>
        <source>The gateway must be an address in the device&apos;s subnet, or empty.</source>
        <translation>网关必须是设备所在子网内的地址，或留空。</translation>
    </message>
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
    <name>FeedbackWidget</name>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
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
    <name>FileNotice</name>
    <message>
        <source>The settings file %1 could not be read. Default settings are in force, and the file is left as it is: settings changed in this session will not be kept.</source>
        <translation>无法读取设置文件 %1。当前使用默认设置，该文件保持原样：本次会话中更改的设置将不会被保存。</translation>
    </message>
    <message>
        <source>The settings file %1 does not hold this application&apos;s settings; its own settings are kept in it. Default settings are in force.</source>
        <translation>设置文件 %1 不包含本程序的设置；其中原有的设置仍保留在文件中。当前使用默认设置。</translation>
    </message>
    <message>
        <source>Part of the settings file %1 could not be read (lines that are damaged, are comments, or hold no setting: %2).</source>
        <translation>设置文件 %1 有部分内容无法读取（已损坏、属于注释或不含设置项的行：%2 行）。</translation>
    </message>
    <message>
        <source>The file as it was is kept as %1.</source>
        <translation>原文件已保存为 %1。</translation>
    </message>
    <message>
        <source>It could not be copied, so it is left as it is: settings changed in this session will not be kept.</source>
        <translation>该文件无法复制，因此保持原样：本次会话中更改的设置将不会被保存。</translation>
    </message>
    <message>
        <source>These settings could not be read and have their default values: %1.</source>
        <translation>以下设置无法读取，已使用默认值：%1。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written: settings changed in this session will not be kept.</source>
        <translation>无法写入设置文件 %1：本次会话中更改的设置将不会被保存。</translation>
    </message>
    <message>
        <source>The device list %1 could not be opened. Devices found in this session are listed but will not be saved.</source>
        <translation>无法打开设备列表 %1。本次会话中发现的设备会显示在列表中，但不会被保存。</translation>
    </message>
    <message>
        <source>The device list %1 cannot be written. The devices in it are listed, but changes made in this session will not be saved.</source>
        <translation>无法写入设备列表 %1。其中的设备已列出，但本次会话中的更改将不会被保存。</translation>
    </message>
    <message>
        <source>The device list %1 is damaged.</source>
        <translation>设备列表 %1 已损坏。</translation>
    </message>
    <message>
        <source>The device list %1 was not written by this application.</source>
        <translation>设备列表 %1 并非由本程序写入。</translation>
    </message>
    <message>
        <source>Devices read from it: %1.</source>
        <translation>从中读取的设备：%1 台。</translation>
    </message>
    <message>
        <source>Some entries could not be read.</source>
        <translation>部分条目无法读取。</translation>
    </message>
    <message>
        <source>They are in a new list; the file as it was is kept as %1.</source>
        <translation>这些设备已放入新的列表；原文件已保存为 %1。</translation>
    </message>
    <message>
        <source>A new, empty list was started; the file as it was is kept as %1.</source>
        <translation>已新建一个空列表；原文件已保存为 %1。</translation>
    </message>
    <message>
        <source>It could not be set aside, so it is left as it is: devices found in this session will not be saved.</source>
        <translation>该文件无法移开，因此保持原样：本次会话中发现的设备将不会被保存。</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Some of the application&apos;s files could not be used as they are.</source>
        <translation>本程序的部分文件无法按原样使用。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Changes made in this session are not recorded.</source>
        <translation>本次会话中的变更将不会被记录。</translation>
    </message>
    <message>
        <source>The change journal %1 cannot be written.</source>
        <translation>无法写入变更日志 %1。</translation>
    </message>
    <message>
        <source>The change journal %1 is in use by another program.</source>
        <translation>变更日志 %1 正被其他程序使用。</translation>
    </message>
    <message>
        <source>The change journal %1 was written by a newer version of this application and is left as it is.</source>
        <translation>变更日志 %1 由本程序的较新版本写入，保持原样。</translation>
    </message>
    <message>
        <source>The change journal %1 is damaged.</source>
        <translation>变更日志 %1 已损坏。</translation>
    </message>
    <message>
        <source>The change journal %1 was not written by this application.</source>
        <translation>变更日志 %1 并非由本程序写入。</translation>
    </message>
    <message>
        <source>A new, empty journal was started; the file as it was is kept as %1.</source>
        <translation>已新建一个空的变更日志；原文件已保存为 %1。</translation>
    </message>
    <message>
        <source>It could not be set aside, so it is left as it is.</source>
        <translation>该文件无法移开，因此保持原样。</translation>
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
        <source>Are you sure that you want to reset the filter of the selected channel?</source>
        <translation>确定要复位所选通道的滤波器吗？</translation>
    </message>
</context>
<context>
    <name>FirmwareUpgrade</name>
    <message>
        <source>File format is error!</source>
        <translation>文件格式错误！</translation>
    </message>
    <message>
        <source>File is error!</source>
        <translation>文件错误！</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>升级失败！</translation>
    </message>
    <message>
        <source>The upgrade was stopped; the device did not receive the whole image.</source>
        <translation>升级已停止；设备没有收到完整的固件。</translation>
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
    <name>HeardDeviceTableModel</name>
    <message>
        <source>%1 s ago</source>
        <translation>%1 秒前</translation>
    </message>
    <message>
        <source>in a local subnet</source>
        <translation>在本机子网内</translation>
    </message>
    <message>
        <source>not reachable from this PC</source>
        <translation>本机无法访问</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>网络接口</translation>
    </message>
    <message>
        <source>Last Heard</source>
        <translation>最后收到</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
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
    <name>InterfaceTableModel</name>
    <message>
        <source>%1 datagrams since the program started</source>
        <translation>程序启动以来共 %1 个数据报</translation>
    </message>
    <message>
        <source>%1 (this PC)</source>
        <translation>%1（本机）</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>网络接口</translation>
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
        <source>Broadcast</source>
        <translation>广播地址</translation>
    </message>
    <message>
        <source>Datagrams (Last Minute)</source>
        <translation>数据报（最近一分钟）</translation>
    </message>
    <message>
        <source>Devices Heard</source>
        <translation>收到的设备</translation>
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
        <source>The input label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>输入标签的长度不能大于16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The output label&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>输出标签的长度不能大于16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>The touch screen label&apos;s length can not be greater than 10 bytes, please enter again!</source>
        <translation>触摸屏标签的长度不能大于10个字节，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
<context>
    <name>LinkWatch</name>
    <message>
        <source>Another device was selected.</source>
        <translation>已选择另一台设备。</translation>
    </message>
    <message>
        <source>The connection to the device was lost.</source>
        <translation>与设备的连接已断开。</translation>
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
    <message>
        <source>Protocol Log</source>
        <translation>协议日志</translation>
    </message>
    <message>
        <source>Network Diagnostics</source>
        <translation>网络诊断</translation>
    </message>
    <message>
        <source>Change Journal</source>
        <translation>变更日志</translation>
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
    <message>
        <source>Strips scroll bar</source>
        <translation>通道滚动条</translation>
    </message>
</context>
<context>
    <name>MatrixTableWidget</name>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>矩阵</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable all the input channel mix to </source>
        <translation>确定要启用或禁用所有输入通道混音到 </translation>
    </message>
    <message>
        <source>Are you sure that you want to enable or disable </source>
        <translation>确定要启用或禁用 </translation>
    </message>
    <message>
        <source> mix to all the output channel?</source>
        <translation> 混音到所有输出通道吗？</translation>
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
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>All the input channel mix to </source>
        <translation>所有输入通道混音到 </translation>
    </message>
    <message>
        <source> mix to all the output channel</source>
        <translation> 混音到所有输出通道</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>on, %1 dB</source>
        <translation>开, %1 dB</translation>
    </message>
</context>
<context>
    <name>MatrixWidget</name>
    <message>
        <source>All Mix</source>
        <translation>全部混音</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Are you sure that you want to enable all the mixer and set their gain to 0dB?</source>
        <translation>确定要启用全部混音点并将其增益设为0dB吗？</translation>
    </message>
    <message>
        <source>Are you sure that you want to disable all the mixer and set their gain to 0dB?</source>
        <translation>确定要禁用全部混音点并将其增益设为0dB吗？</translation>
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
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>交叉点</translation>
    </message>
</context>
<context>
    <name>MeterBank</name>
    <message>
        <source> meter</source>
        <translation> 电平表</translation>
    </message>
</context>
<context>
    <name>MeterDialog</name>
    <message>
        <source>Meter</source>
        <translation>电平表</translation>
    </message>
    <message>
        <source>Input Pre Fader</source>
        <translation>输入推子前</translation>
    </message>
    <message>
        <source>Input Post Fader</source>
        <translation>输入推子后</translation>
    </message>
    <message>
        <source>Output Pre Fader</source>
        <translation>输出推子前</translation>
    </message>
    <message>
        <source>Output Post Fader</source>
        <translation>输出推子后</translation>
    </message>
    <message>
        <source>Meter: %1</source>
        <translation>电平表: %1</translation>
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
</context>
<context>
    <name>NetworkDiagnosticsDialog</name>
    <message>
        <source>Network Diagnostics</source>
        <translation>网络诊断</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>网络接口</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Move to My Subnet...</source>
        <translation>移到本机子网...</translation>
    </message>
    <message>
        <source>No discovery datagram has arrived on any interface for %1 s. What usually causes it:
- a firewall rule that blocks this program or UDP port 6697,
- a VPN connection that takes over the network traffic,
- a network cable that is unplugged or broken,
- this PC being connected to another network than the devices.</source>
        <translation>已有 %1 秒在所有网络接口上都没有收到发现数据报。常见原因：
- 防火墙规则阻止了本程序或 UDP 端口 6697；
- VPN 连接接管了网络流量；
- 网线没有插好或已损坏；
- 本机连接的网络与设备所在的网络不同。</translation>
    </message>
    <message>
        <source>The subnet of %1 (%2, mask %3) has no free address for the device.</source>
        <translation>%1 的子网（%2，掩码 %3）中没有可以分配给设备的空闲地址。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>OneChannelPage</name>
    <message>
        <source> - Copy </source>
        <translation> - 复制 </translation>
    </message>
    <message>
        <source> to</source>
        <translation> 到</translation>
    </message>
    <message>
        <source>Copy To</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
</context>
<context>
    <name>OverviewWidget</name>
    <message>
        <source>Disconnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>ARM Version : </source>
        <translation>ARM版本 : </translation>
    </message>
    <message>
        <source>DSP Version : </source>
        <translation>DSP版本 : </translation>
    </message>
    <message>
        <source>Dante Support : </source>
        <translation>Dante支持 : </translation>
    </message>
    <message>
        <source>Dante Connect Status : </source>
        <translation>Dante连接状态 : </translation>
    </message>
    <message>
        <source>DSP Usage : </source>
        <translation>DSP占用率 : </translation>
    </message>
    <message>
        <source>Serial Number : </source>
        <translation>序列号 : </translation>
    </message>
    <message>
        <source>Overview: %1</source>
        <translation>概览: %1</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Overview: Input</source>
        <translation>概览: 输入</translation>
    </message>
    <message>
        <source>Overview: Output</source>
        <translation>概览: 输出</translation>
    </message>
    <message>
        <source>System Mute</source>
        <translation>系统静音</translation>
    </message>
    <message>
        <source>Overview: System Mute</source>
        <translation>概览: 系统静音</translation>
    </message>
</context>
<context>
    <name>PresetDialog</name>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Preset: %1 </source>
        <translation>预设: %1 </translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>调用</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Import All</source>
        <translation>全部导入</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>全部导出</translation>
    </message>
    <message>
        <source>Preset: Import All</source>
        <translation>预设: 全部导入</translation>
    </message>
    <message>
        <source>Preset: Export All</source>
        <translation>预设: 全部导出</translation>
    </message>
    <message>
        <source>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>预设名称的长度不能超过16个字节，请重新输入！</translation>
    </message>
    <message>
        <source>%1?</source>
        <translation>%1？</translation>
    </message>
    <message>
        <source>Are you sure that you want to save current settings to preset </source>
        <translation>确定要将当前设置保存到预设 </translation>
    </message>
    <message>
        <source>Are you sure that you want to load preset </source>
        <translation>确定要调用预设 </translation>
    </message>
    <message>
        <source>Are you sure that you want to delete preset </source>
        <translation>确定要删除预设 </translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>正在调用</translation>
    </message>
    <message>
        <source>pstl file</source>
        <translation>pstl文件</translation>
    </message>
    <message>
        <source>pst file</source>
        <translation>pst文件</translation>
    </message>
    <message>
        <source>Select a preset file to import</source>
        <translation>选择要导入的预设文件</translation>
    </message>
    <message>
        <source>Save all presets as</source>
        <translation>全部预设另存为</translation>
    </message>
    <message>
        <source>Save preset as</source>
        <translation>预设另存为</translation>
    </message>
    <message>
        <source>No device is connected.</source>
        <translation>没有连接设备。</translation>
    </message>
    <message>
        <source>File format is error!</source>
        <translation>文件格式错误！</translation>
    </message>
    <message>
        <source>Preset: Slots</source>
        <translation>预设: 槽位</translation>
    </message>
</context>
<context>
    <name>PresetTransfer</name>
    <message>
        <source>Exporting All...</source>
        <translation>正在全部导出...</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>正在导出...</translation>
    </message>
    <message>
        <source>Import All...</source>
        <translation>正在全部导入...</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>正在导入...</translation>
    </message>
    <message>
        <source>%1 can not be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Block %1 could not be written to %2: %3.</source>
        <translation>第 %1 块无法写入 %2：%3。</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation>无法保存 %1：%2。</translation>
    </message>
    <message>
        <source>The import was stopped; the device did not receive the whole file.</source>
        <translation>导入已停止；设备没有收到完整的文件。</translation>
    </message>
    <message>
        <source>The export was stopped; %1 was left unchanged.</source>
        <translation>导出已停止；%1 保持不变。</translation>
    </message>
    <message>
        <source>The export was stopped; no file was written.</source>
        <translation>导出已停止；没有写入文件。</translation>
    </message>
    <message>
        <source>The device did not answer for %1 seconds.</source>
        <translation>设备 %1 秒没有应答。</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
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
    <name>ProtocolLogDialog</name>
    <message>
        <source>Protocol Log</source>
        <translation>协议日志</translation>
    </message>
    <message>
        <source>Filter (name or key):</source>
        <translation>筛选（名称或键）：</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>%1 frames in the log (the last %2 are kept)</source>
        <translation>日志中有 %1 帧（保留最近的 %2 帧）</translation>
    </message>
    <message>
        <source>Save the protocol log</source>
        <translation>保存协议日志</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>文本文件 (*.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The log could not be saved to %1:
%2</source>
        <translation>日志无法保存到 %1：
%2</translation>
    </message>
</context>
<context>
    <name>ProtocolLogModel</name>
    <message>
        <source>(no longer in the log)</source>
        <translation>（已不在日志中）</translation>
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
    <name>ReportGate</name>
    <message>
        <source>Waiting for the device to report these values</source>
        <translation>正在等待设备报告这些值</translation>
    </message>
</context>
<context>
    <name>SignalGeneratorWidget</name>
    <message>
        <source>Signal Generator</source>
        <translation>信号发生器</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Pink Noise</source>
        <translation>粉红噪声</translation>
    </message>
    <message>
        <source>Sine Wave</source>
        <translation>正弦波</translation>
    </message>
    <message>
        <source>White Noise</source>
        <translation>白噪声</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>(Hz)</source>
        <translation>(Hz)</translation>
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
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source> knob</source>
        <translation> 旋钮</translation>
    </message>
</context>
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
    <name>SystemUpgradeProgressDialog</name>
    <message>
        <source>Select a firmware file to upgrade</source>
        <translation>选择要升级的固件文件</translation>
    </message>
    <message>
        <source>img file</source>
        <translation>img文件</translation>
    </message>
    <message>
        <source>System Upgrade</source>
        <translation>系统升级</translation>
    </message>
    <message>
        <source>Backing up presets...</source>
        <translation>正在备份预设...</translation>
    </message>
    <message>
        <source>Upgrade the device&apos;s firmware with %1?</source>
        <translation>使用 %1 升级设备固件？</translation>
    </message>
    <message>
        <source>The presets are backed up to:
%1</source>
        <translation>预设将备份到：
%1</translation>
    </message>
    <message>
        <source>Back up all presets first</source>
        <translation>先备份全部预设</translation>
    </message>
    <message>
        <source>System Upgrade: Back up all presets first</source>
        <translation>系统升级: 先备份全部预设</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>System Upgrade: Upgrade</source>
        <translation>系统升级: 升级</translation>
    </message>
    <message>
        <source>System Upgrade: Cancel</source>
        <translation>系统升级: 取消</translation>
    </message>
    <message>
        <source>No device is connected.</source>
        <translation>没有连接设备。</translation>
    </message>
    <message>
        <source>%1 can not be created.</source>
        <translation>无法创建 %1。</translation>
    </message>
    <message>
        <source>The presets could not be backed up.</source>
        <translation>无法备份预设。</translation>
    </message>
    <message>
        <source>Upgrade the firmware anyway?</source>
        <translation>仍然升级固件吗？</translation>
    </message>
    <message>
        <source>Upgrading...</source>
        <translation>正在升级...</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>升级失败！</translation>
    </message>
</context>
<context>
    <name>TwoFieldInputDialog</name>
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
    <name>transfer</name>
    <message>
        <source>The file is too large: %1 bytes. At most %2 bytes can be sent to the device.</source>
        <translation>文件太大：%1 字节。最多可以向设备发送 %2 字节。</translation>
    </message>
</context>
</TS>
