<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>BandHarvest</name>
    <message>
        <source>无法连接消息中心!!!</source>
        <translation>Cannot reach the message centre!</translation>
    </message>
    <message>
        <source>获取服务器数据...</source>
        <translation>Fetching data from the server...</translation>
    </message>
    <message>
        <source>日期错误,同步失败</source>
        <translation>Wrong date, sync failed</translation>
    </message>
    <message>
        <source>手环连接已断开!</source>
        <translation>The band disconnected!</translation>
    </message>
    <message>
        <source>设备准备中...</source>
        <translation>Preparing the device...</translation>
    </message>
    <message>
        <source>搜索手环...</source>
        <translation>Searching for the band...</translation>
    </message>
    <message>
        <source>设备已移除!!!</source>
        <translation>The device was removed!</translation>
    </message>
    <message>
        <source>连接手环失败!</source>
        <translation>Could not connect to the band!</translation>
    </message>
    <message>
        <source>手环连接已建立</source>
        <translation>Connected to the band</translation>
    </message>
    <message>
        <source>准备监听手环数据</source>
        <translation>Getting ready to receive band data</translation>
    </message>
    <message>
        <source>蓝牙监听失败</source>
        <translation>Could not listen to the band over Bluetooth</translation>
    </message>
    <message>
        <source>获取手环版本信息</source>
        <translation>Reading the band&apos;s version</translation>
    </message>
    <message>
        <source>从服务器获取参数</source>
        <translation>Fetching settings from the server</translation>
    </message>
    <message>
        <source>从服务器获取参数失败</source>
        <translation>Could not fetch settings from the server</translation>
    </message>
    <message>
        <source>同步手环参数</source>
        <translation>Syncing the band&apos;s settings</translation>
    </message>
    <message>
        <source>获取手环计步数据</source>
        <translation>Reading step data from the band</translation>
    </message>
    <message>
        <source>获取手环睡眠数据</source>
        <translation>Reading sleep data from the band</translation>
    </message>
    <message>
        <source>手环没有新数据.</source>
        <translation>The band has no new data.</translation>
    </message>
    <message>
        <source>同步到服务器...</source>
        <translation>Syncing to the server...</translation>
    </message>
    <message>
        <source>同步完成.</source>
        <translation>Sync complete.</translation>
    </message>
    <message>
        <source>获取睡眠数据...</source>
        <translation>Reading sleep data...</translation>
    </message>
    <message>
        <source>同步数据到服务器</source>
        <translation>Syncing data to the server</translation>
    </message>
    <message>
        <source>同步手环步数(%1/%2)(%3)天</source>
        <translation>Syncing band steps (%1/%2) (%3) days</translation>
    </message>
    <message>
        <source>同步手环睡眠(%1/%2)(%3)天</source>
        <translation>Syncing band sleep (%1/%2) (%3) days</translation>
    </message>
    <message>
        <source>&quot;%1年%2月%3日&quot;步数</source>
        <translation>Steps of &quot;%1-%2-%3&quot;</translation>
    </message>
    <message>
        <source>&quot;%1年%2月%3日&quot;睡眠</source>
        <translation>Sleep of &quot;%1-%2-%3&quot;</translation>
    </message>
    <message>
        <source>%1:同步手环步数(%2/%3)天</source>
        <translation>%1: syncing band steps (%2/%3) days</translation>
    </message>
    <message>
        <source>%1:同步手环睡眠(%2/%3)天</source>
        <translation>%1: syncing band sleep (%2/%3) days</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>succeeded</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>同步到服务器失败!!!</source>
        <translation>Syncing to the server failed!</translation>
    </message>
    <message>
        <source>不需要同步到服务器.</source>
        <translation>Nothing to sync to the server.</translation>
    </message>
    <message>
        <source>保存同步状态到文件.</source>
        <translation>Saving the sync state to file.</translation>
    </message>
    <message>
        <source>同步到服务器完成.</source>
        <translation>Synced to the server.</translation>
    </message>
</context>
<context>
    <name>DialogPageAbout</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
</context>
<context>
    <name>LineWidgetDeviceInfo</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>设备地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>000000000000000</source>
        <translation>000000000000000</translation>
    </message>
    <message>
        <source>设备号</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>绑定日期</source>
        <translation>Bound on</translation>
    </message>
    <message>
        <source>0000-00-00</source>
        <translation>0000-00-00</translation>
    </message>
    <message>
        <source>佩戴位置</source>
        <translation>Worn at</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
</context>
<context>
    <name>LineWidgetPagePairing</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>名字</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>address</source>
        <translation>address</translation>
    </message>
    <message>
        <source>device id</source>
        <translation>device id</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quorin</source>
        <translation>Quorin</translation>
    </message>
</context>
<context>
    <name>PageAboutWidgetLine</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>名字</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>PageTrends</name>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>周</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>运动</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>睡眠</source>
        <translation>Sleep</translation>
    </message>
    <message>
        <source>日视图</source>
        <translation>Day view</translation>
    </message>
    <message>
        <source>周视图</source>
        <translation>Week view</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>成功响应</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>服务器错误</source>
        <translation>Server error</translation>
    </message>
    <message>
        <source>登录凭据无效</source>
        <translation>Invalid sign-in credentials</translation>
    </message>
    <message>
        <source>访问令牌无效</source>
        <translation>Invalid access token</translation>
    </message>
    <message>
        <source>令牌无效</source>
        <translation>Invalid token</translation>
    </message>
    <message>
        <source>验证码错误</source>
        <translation>Wrong verification code</translation>
    </message>
    <message>
        <source>用户名错误</source>
        <translation>Wrong user name</translation>
    </message>
    <message>
        <source>用户状态无效</source>
        <translation>Invalid user state</translation>
    </message>
    <message>
        <source>用户未设置安全密码</source>
        <translation>The user has not set a security password</translation>
    </message>
    <message>
        <source>安全密码无效</source>
        <translation>Invalid security password</translation>
    </message>
    <message>
        <source>用户账户锁定</source>
        <translation>The user account is locked</translation>
    </message>
    <message>
        <source> 该手机号未注册,或注册账号不是手机号码</source>
        <translation> This mobile number is not registered, or the account is not a mobile number</translation>
    </message>
    <message>
        <source>手机号码已被注册</source>
        <translation>This mobile number is already registered</translation>
    </message>
    <message>
        <source>昵称已被使用</source>
        <translation>This nickname is already taken</translation>
    </message>
    <message>
        <source>密码错误</source>
        <translation>Wrong password</translation>
    </message>
    <message>
        <source>输入参数不合法</source>
        <translation>Invalid input</translation>
    </message>
    <message>
        <source>用户设备未绑定</source>
        <translation>The user&apos;s device is not bound</translation>
    </message>
    <message>
        <source>用户设备已绑定</source>
        <translation>The user&apos;s device is already bound</translation>
    </message>
    <message>
        <source>用户已绑定其他设备</source>
        <translation>The user has bound another device</translation>
    </message>
    <message>
        <source>该设备已被其他用户绑定</source>
        <translation>This device is bound to another user</translation>
    </message>
    <message>
        <source>该手机号未注册</source>
        <translation>This mobile number is not registered</translation>
    </message>
    <message>
        <source>活动未开始或已结束</source>
        <translation>The event has not started or has ended</translation>
    </message>
    <message>
        <source>活动激活码无效</source>
        <translation>Invalid event activation code</translation>
    </message>
    <message>
        <source>短信验证码发送异常</source>
        <translation>Could not send the SMS verification code</translation>
    </message>
    <message>
        <source>一分钟内不能重复发送验证码</source>
        <translation>A verification code can be sent only once a minute</translation>
    </message>
    <message>
        <source>app应用类型错误或应用类型暂不支持</source>
        <translation>Wrong or unsupported app type</translation>
    </message>
    <message>
        <source>应用码错误或参数没有维护</source>
        <translation>Wrong application code or missing parameters</translation>
    </message>
    <message>
        <source>该日暂未同步过数据</source>
        <translation>No data has been synced for this day yet</translation>
    </message>
    <message>
        <source>活动暂未开始</source>
        <translation>The event has not started yet</translation>
    </message>
    <message>
        <source>活动已结束</source>
        <translation>The event has ended</translation>
    </message>
    <message>
        <source>解释数据出错!</source>
        <translation>Could not read the data!</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>软件更新</source>
        <translation>Program update</translation>
    </message>
    <message>
        <source>关于Quorin</source>
        <translation>About Quorin</translation>
    </message>
    <message>
        <source>固件更新</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>安装驱动</source>
        <translation>Install driver</translation>
    </message>
    <message>
        <source>手机号码</source>
        <translation>Mobile number</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>Verification code</translation>
    </message>
    <message>
        <source>设置新密码</source>
        <translation>Set new password</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>Get code</translation>
    </message>
    <message>
        <source>请输入手机号码!!!</source>
        <translation>Please enter the mobile number!</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Please enter a password</translation>
    </message>
    <message>
        <source>请输入验证码!!!</source>
        <translation>Please enter the verification code!</translation>
    </message>
    <message>
        <source>验证码不能少于4位!!!</source>
        <translation>The code has at least 4 characters!</translation>
    </message>
    <message>
        <source>重置密码成功.</source>
        <translation>Password reset.</translation>
    </message>
    <message>
        <source>自动登录</source>
        <translation>Auto sign-in</translation>
    </message>
    <message>
        <source>忘记密码?</source>
        <translation>Forgot password?</translation>
    </message>
    <message>
        <source>没有帐号,注册新帐号</source>
        <translation>No account? Register a new one</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>手机号码不能为空!!!</source>
        <translation>The mobile number cannot be empty!</translation>
    </message>
    <message>
        <source>密码不能为空!!!</source>
        <translation>The password cannot be empty!</translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>确定退出系统?</source>
        <translation>Exit the program?</translation>
    </message>
    <message>
        <source>退出请点击确定,否则点击取消</source>
        <translation>Click OK to exit, otherwise click Cancel</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>不能连接到&quot;消息中心&quot;模块</source>
        <translation>Cannot connect to the &quot;message centre&quot; module</translation>
    </message>
    <message>
        <source>获取成功</source>
        <translation>Loaded</translation>
    </message>
    <message>
        <source>步</source>
        <translation> steps</translation>
    </message>
    <message>
        <source>分钟</source>
        <translation> min</translation>
    </message>
    <message>
        <source>请输入有效的运动目标</source>
        <translation>Please enter a valid step target</translation>
    </message>
    <message>
        <source>请输入有效的睡眠目标</source>
        <translation>Please enter a valid sleep target</translation>
    </message>
    <message>
        <source>设置同步成功</source>
        <translation>Targets saved</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>请输入有效的身高 (0 - 65535)</source>
        <translation>Please enter a valid height (0 - 65535)</translation>
    </message>
    <message>
        <source>请输入有效的体重 (0 - 65535)</source>
        <translation>Please enter a valid weight (0 - 65535)</translation>
    </message>
    <message>
        <source>保存失败!!!</source>
        <translation>Saving failed!!!</translation>
    </message>
    <message>
        <source>保存成功.</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>检测设备中...</source>
        <translation>Detecting the adapter...</translation>
    </message>
    <message>
        <source>设备准备中...</source>
        <translation>Getting the adapter ready...</translation>
    </message>
    <message>
        <source>设备已经移除!!!</source>
        <translation>The adapter has been removed!</translation>
    </message>
    <message>
        <source>串口&quot;%1&quot;被占用...</source>
        <translation>Serial port &quot;%1&quot; is in use...</translation>
    </message>
    <message>
        <source>正在搜索...</source>
        <translation>Searching...</translation>
    </message>
    <message>
        <source>绑定</source>
        <translation>Bind</translation>
    </message>
    <message>
        <source>解除原绑定的设备</source>
        <translation>Unbind the current band</translation>
    </message>
    <message>
        <source>是否解除&quot;%1&quot;设备的绑定?</source>
        <translation>Unbind the band &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>继续请点击确定,否则点击取消</source>
        <translation>Click OK to continue, otherwise Cancel</translation>
    </message>
    <message>
        <source>等待中</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>正在绑定</source>
        <translation>Binding</translation>
    </message>
    <message>
        <source>绑定成功</source>
        <translation>Bound</translation>
    </message>
    <message>
        <source>准备中...</source>
        <translation>Preparing...</translation>
    </message>
    <message>
        <source>无法连接到消息中心</source>
        <translation>Cannot reach the message centre</translation>
    </message>
    <message>
        <source>正在连接...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>正在监听...</source>
        <translation>Listening...</translation>
    </message>
    <message>
        <source>正在获取...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>连接超时!!!</source>
        <translation>Connection timed out!</translation>
    </message>
    <message>
        <source>监听超时!!!</source>
        <translation>Listening timed out!</translation>
    </message>
    <message>
        <source>获取超时!!!</source>
        <translation>Reading timed out!</translation>
    </message>
    <message>
        <source>连接失败!!!</source>
        <translation>Connection failed!</translation>
    </message>
    <message>
        <source>监听失败!!!</source>
        <translation>Listening failed!</translation>
    </message>
    <message>
        <source>连接断开!!!</source>
        <translation>Connection lost!</translation>
    </message>
    <message>
        <source>%1小时%2分钟</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>运动数据</source>
        <translation>Activity</translation>
    </message>
    <message>
        <source>睡眠数据</source>
        <translation>Sleep</translation>
    </message>
    <message>
        <source>任务系统</source>
        <translation>Tasks</translation>
    </message>
    <message>
        <source>%1大卡</source>
        <translation>%1 kcal</translation>
    </message>
    <message>
        <source>%1公里</source>
        <translation>%1 km</translation>
    </message>
    <message>
        <source>今天数据</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>健康指数</source>
        <translation>Health index</translation>
    </message>
    <message>
        <source>手环管理</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>统计分析</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>数据同步</source>
        <translation>Sync</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Sign out</translation>
    </message>
    <message>
        <source>入睡</source>
        <translation>Fell asleep</translation>
    </message>
    <message>
        <source>浅睡</source>
        <translation>Light sleep</translation>
    </message>
    <message>
        <source>深睡</source>
        <translation>Deep sleep</translation>
    </message>
    <message>
        <source>目标时间:</source>
        <translation>Target time:</translation>
    </message>
    <message>
        <source>卡路里</source>
        <translation>Calories</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>目标步数:</source>
        <translation>Target steps:</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>请输入原密码!</source>
        <translation>Please enter the old password!</translation>
    </message>
    <message>
        <source>请输入新密码!</source>
        <translation>Please enter the new password!</translation>
    </message>
    <message>
        <source>请再次输入新密码!</source>
        <translation>Please enter the new password again!</translation>
    </message>
    <message>
        <source>确认密码与新密码不一致!</source>
        <translation>The confirmation does not match the new password!</translation>
    </message>
    <message>
        <source>新密码不能与原密码一样!</source>
        <translation>The new password cannot be the same as the old one!</translation>
    </message>
    <message>
        <source>连接消息中心失败!!!</source>
        <translation>Cannot connect to the message centre!</translation>
    </message>
    <message>
        <source>男</source>
        <translation>Male</translation>
    </message>
    <message>
        <source>女</source>
        <translation>Female</translation>
    </message>
    <message>
        <source>年龄须为0到65535之间的整数!</source>
        <translation>The age must be a whole number from 0 to 65535!</translation>
    </message>
    <message>
        <source>身高须为0到65535之间的整数!</source>
        <translation>The height must be a whole number from 0 to 65535!</translation>
    </message>
    <message>
        <source>体重须为0到65535之间的整数!</source>
        <translation>The weight must be a whole number from 0 to 65535!</translation>
    </message>
    <message>
        <source>发送失败,请重新登录!</source>
        <translation>Could not send; please sign in again!</translation>
    </message>
    <message>
        <source>保存成功</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>手腕</source>
        <translation>Wrist</translation>
    </message>
    <message>
        <source>项部</source>
        <translation>Neck</translation>
    </message>
    <message>
        <source>腰部</source>
        <translation>Waist</translation>
    </message>
    <message>
        <source>脚腕</source>
        <translation>Ankle</translation>
    </message>
    <message>
        <source>设备位置设置完成</source>
        <translation>Wear position saved</translation>
    </message>
    <message>
        <source>解绑</source>
        <translation>Unbind</translation>
    </message>
</context>
<context>
    <name>WidgetBody</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>今日数据</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>健康指数</source>
        <translation>Health index</translation>
    </message>
    <message>
        <source>手环管理</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>统计分析</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>数据同步</source>
        <translation>Sync</translation>
    </message>
    <message>
        <source>用户</source>
        <translation>User</translation>
    </message>
</context>
<context>
    <name>WidgetDeviceInfo</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>已绑定手环</source>
        <translation>Bound bands</translation>
    </message>
</context>
<context>
    <name>WidgetDevicePos</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>佩戴方式</source>
        <translation>Wear position</translation>
    </message>
    <message>
        <source>手腕</source>
        <translation>Wrist</translation>
    </message>
    <message>
        <source>项部</source>
        <translation>Neck</translation>
    </message>
    <message>
        <source>腰部</source>
        <translation>Waist</translation>
    </message>
    <message>
        <source>脚腕</source>
        <translation>Ankle</translation>
    </message>
</context>
<context>
    <name>WidgetHealthIndex</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>健康</source>
        <translation>Health</translation>
    </message>
    <message>
        <source>BMI:00.0</source>
        <translation>BMI:00.0</translation>
    </message>
    <message>
        <source>身高</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>体重</source>
        <translation>Weight</translation>
    </message>
</context>
<context>
    <name>WidgetLine</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetLineEdit</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetLogin</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetNavigate</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>用户名</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Sign out</translation>
    </message>
</context>
<context>
    <name>WidgetPagePairing</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetPagePassChange</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>原密码</source>
        <translation>Old password</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>确认密码</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>WidgetPageProfile</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>昵称</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>年龄</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>身高</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>体重</source>
        <translation>Weight</translation>
    </message>
</context>
<context>
    <name>WidgetPageQuests</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetPageRecover</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Sign in</translation>
    </message>
</context>
<context>
    <name>WidgetTarget</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>运动目标</source>
        <translation>Step target</translation>
    </message>
    <message>
        <source>睡眠目标</source>
        <translation>Sleep target</translation>
    </message>
</context>
<context>
    <name>WidgetTop</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>WidgetUnBindDevice</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>解绑提示</source>
        <translation>Unbind</translation>
    </message>
    <message>
        <source>解除绑定后将无法获取手环数据，是否确定解除绑定?</source>
        <translation>After unbinding, the band&apos;s data can no longer be fetched. Unbind it?</translation>
    </message>
</context>
<context>
    <name>WidgetUpdateEnd</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>提示内容</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>Finish</translation>
    </message>
</context>
</TS>
