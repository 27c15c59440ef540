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
    <name>DialogDeviceInstall</name>
    <message>
        <source>安装驱动</source>
        <translation>Install driver</translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>提示内容</source>
        <translation>Notice text</translation>
    </message>
    <message>
        <source>提示说明内容</source>
        <translation>Notice explanation</translation>
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
    <name>DialogPageBandFlash</name>
    <message>
        <source>固件更新(结束)</source>
        <translation>Firmware update (finished)</translation>
    </message>
    <message>
        <source>固件升级成功.</source>
        <translation>Firmware updated.</translation>
    </message>
    <message>
        <source>固件升级失败,请稍后重试!!!</source>
        <translation>Firmware update failed, please try again later!</translation>
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
    <message>
        <source>请输验证码</source>
        <translation>Verification code</translation>
    </message>
    <message>
        <source>我已阅读并接受《Tarnwell协议》</source>
        <translation>I have read and accept the Tarnwell terms</translation>
    </message>
    <message>
        <source>已有帐号,立即登录</source>
        <translation>Have an account? Sign in</translation>
    </message>
    <message>
        <source>注册</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>需要同意《Tarnwell协议》!!!</source>
        <translation>Please accept the Tarnwell terms!</translation>
    </message>
    <message>
        <source>请输入呢称(30个字符以内)</source>
        <translation>Nickname (up to 30 characters)</translation>
    </message>
    <message>
        <source>请输入年龄(1-120岁)</source>
        <translation>Age (1-120 years)</translation>
    </message>
    <message>
        <source>请输入身高(50-250cm)</source>
        <translation>Height (50-250 cm)</translation>
    </message>
    <message>
        <source>请输入体重(10-200kg)</source>
        <translation>Weight (10-200 kg)</translation>
    </message>
    <message>
        <source>绑定设备失败!</source>
        <translation>Binding the band failed!</translation>
    </message>
    <message>
        <source>没有绑定设备!</source>
        <translation>No band bound!</translation>
    </message>
    <message>
        <source>请输入呢称!!!</source>
        <translation>Please enter a nickname!</translation>
    </message>
    <message>
        <source>请输入年龄!!!</source>
        <translation>Please enter your age!</translation>
    </message>
    <message>
        <source>请输入身高!!!</source>
        <translation>Please enter your height!</translation>
    </message>
    <message>
        <source>请输入体重!!!</source>
        <translation>Please enter your weight!</translation>
    </message>
    <message>
        <source>以上运动目标是%1根据你的体质指数计算得%1出，你可点击修改该目标</source>
        <translation>These targets were worked out%1from your body mass index;%1click a target to change it</translation>
    </message>
    <message>
        <source>正准备安装驱动...</source>
        <translation>Preparing to install the driver...</translation>
    </message>
    <message>
        <source>提示:此操作需要管理器权限.</source>
        <translation>Note: this needs administrator rights.</translation>
    </message>
    <message>
        <source>检查驱动</source>
        <translation>Checking the driver</translation>
    </message>
    <message>
        <source>正在安装...</source>
        <translation>Installing...</translation>
    </message>
    <message>
        <source>请把设备连接到计算机后,安装将自动继续.</source>
        <translation>Connect the device to the computer; the installation then goes on by itself.</translation>
    </message>
    <message>
        <source>安装完成</source>
        <translation>Installation complete</translation>
    </message>
    <message>
        <source>驱动已经安装完成.</source>
        <translation>The driver is installed.</translation>
    </message>
    <message>
        <source>等待驱动安装完成...</source>
        <translation>Waiting for the driver installation to finish...</translation>
    </message>
    <message>
        <source>正在等待驱动安装完成;如果长时间没有完成,请取消后拔出硬件再接入后重新安装.</source>
        <translation>Waiting for the driver installation to finish; if this takes long, cancel, unplug the adapter, plug it in again and install again.</translation>
    </message>
    <message>
        <source>安装成功.</source>
        <translation>Installed.</translation>
    </message>
    <message>
        <source>驱动程序已经安装完成.</source>
        <translation>The driver program is installed.</translation>
    </message>
    <message>
        <source>安装失败.</source>
        <translation>Installation failed.</translation>
    </message>
    <message>
        <source>驱动程序安装失败,请重试!!!</source>
        <translation>The driver installation failed, please try again!</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>从没有同步.</source>
        <translation>Never synced.</translation>
    </message>
    <message>
        <source>%1年%2月%3日 %4:%5:%6</source>
        <translation>%1-%2-%3 %4:%5:%6</translation>
    </message>
    <message>
        <source>%1年%2月%3日</source>
        <translation>%1-%2-%3</translation>
    </message>
    <message>
        <source>立即同步</source>
        <translation>Sync now</translation>
    </message>
    <message>
        <source>正在检测设备...</source>
        <translation>Detecting the device...</translation>
    </message>
    <message>
        <source>正在查询...</source>
        <translation>Querying...</translation>
    </message>
    <message>
        <source>查询失败!!!</source>
        <translation>Query failed!</translation>
    </message>
    <message>
        <source>还没有绑定任何设备,是否马上绑定?</source>
        <translation>No band is bound yet. Bind one now?</translation>
    </message>
    <message>
        <source>其它</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>今天</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>没有数据</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>%1%2%3 %4小时%5分钟</source>
        <translation>%1%2%3 %4 h %5 min</translation>
    </message>
    <message>
        <source>%1 %2步%3%4公里 %5大卡</source>
        <translation>%1 %2 steps%3%4 km %5 kcal</translation>
    </message>
    <message>
        <source>%1月%2日</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>加载中...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>正在加载</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>%1小时%2分</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 %2小时%3分钟</source>
        <translation>%1 %2 h %3 min</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>睡眠周数据</source>
        <translation>Sleep this week</translation>
    </message>
    <message>
        <source>睡眠时长</source>
        <translation>Sleep length</translation>
    </message>
    <message>
        <source>加载失败</source>
        <translation>Loading failed</translation>
    </message>
    <message>
        <source>%1步</source>
        <translation>%1 steps</translation>
    </message>
    <message>
        <source>当天步数</source>
        <translation>Steps of the day</translation>
    </message>
    <message>
        <source>平均步数</source>
        <translation>Average steps</translation>
    </message>
    <message>
        <source>目标步数</source>
        <translation>Step target</translation>
    </message>
    <message>
        <source>运动周数据</source>
        <translation>Activity this week</translation>
    </message>
    <message>
        <source>步数</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>%1 %2步</source>
        <translation>%1 %2 steps</translation>
    </message>
    <message>
        <source>%1月%2日-%3月%4日</source>
        <translation>%1/%2-%3/%4</translation>
    </message>
    <message>
        <source>软件更新(解压)</source>
        <translation>Program update (unpack)</translation>
    </message>
    <message>
        <source>软件更新(结束)</source>
        <translation>Program update (done)</translation>
    </message>
    <message>
        <source>软件升级成功,重启软件后生效.</source>
        <translation>The program was updated; the new version starts with the next restart.</translation>
    </message>
    <message>
        <source>软件升级失败,请稍后重试!!!</source>
        <translation>The program update failed, please try again later!</translation>
    </message>
    <message>
        <source>软件更新(检测)</source>
        <translation>Program update (check)</translation>
    </message>
    <message>
        <source>检测</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>无法连接到消息中心!!!</source>
        <translation>Cannot reach the message centre!</translation>
    </message>
    <message>
        <source>取消点击&quot;取消&quot;,重试点击&quot;检测&quot;.</source>
        <translation>Click &quot;Cancel&quot; to stop, &quot;Check&quot; to try again.</translation>
    </message>
    <message>
        <source>正在检测更新...</source>
        <translation>Checking for updates...</translation>
    </message>
    <message>
        <source>发送请求失败!!!</source>
        <translation>The request could not be sent!</translation>
    </message>
    <message>
        <source>检测失败,请重试!!!</source>
        <translation>The check failed, please try again!</translation>
    </message>
    <message>
        <source>已是最新版本.</source>
        <translation>This is the newest version.</translation>
    </message>
    <message>
        <source>当前已是最新版本,不需要更新.</source>
        <translation>The program is up to date; no update is needed.</translation>
    </message>
    <message>
        <source>软件更新(确认)</source>
        <translation>Program update (confirm)</translation>
    </message>
    <message>
        <source>下次再说</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>立即升级</source>
        <translation>Update now</translation>
    </message>
    <message>
        <source>发现新版本,是否更新?(当前:%1,最新:%2)</source>
        <translation>A new version is available. Update? (current: %1, newest: %2)</translation>
    </message>
    <message>
        <source>软件更新(下载)</source>
        <translation>Program update (download)</translation>
    </message>
    <message>
        <source>正在下载...</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>下载地址无效!!!</source>
        <translation>The download address is not valid!</translation>
    </message>
    <message>
        <source>正在获取文件信息...</source>
        <translation>Getting the file information...</translation>
    </message>
    <message>
        <source>获取文件信息失败,请重试!</source>
        <translation>Could not get the file information, please try again!</translation>
    </message>
    <message>
        <source>获取下载文件大小错误:%1</source>
        <translation>Wrong download size: %1</translation>
    </message>
    <message>
        <source>创建下载失败,请重试!</source>
        <translation>Could not start the download, please try again!</translation>
    </message>
    <message>
        <source>准备下载升级包大小:%1</source>
        <translation>Preparing the download, package size: %1</translation>
    </message>
    <message>
        <source>正在下载升级包:(%1/%2),速度%3/秒</source>
        <translation>Downloading the update package: (%1/%2), %3/s</translation>
    </message>
    <message>
        <source>下载升级包失败,请重试!</source>
        <translation>Downloading the update package failed, please try again!</translation>
    </message>
    <message>
        <source>下载升级包完成.</source>
        <translation>Update package downloaded.</translation>
    </message>
    <message>
        <source>无法连接到消息中心!</source>
        <translation>Cannot reach the message centre!</translation>
    </message>
    <message>
        <source>检测更新包失败!!!</source>
        <translation>The update package failed its check!</translation>
    </message>
    <message>
        <source>正在验证更新包%1%2...</source>
        <translation>Verifying the update package %1%2...</translation>
    </message>
    <message>
        <source>正准备解压更新包...</source>
        <translation>Preparing to unpack the update package...</translation>
    </message>
    <message>
        <source>解压更新包出错!!!</source>
        <translation>Unpacking the update package failed!</translation>
    </message>
    <message>
        <source>正在解压更新包%1%2...</source>
        <translation>Unpacking the update package %1%2...</translation>
    </message>
    <message>
        <source>固件更新(解压)</source>
        <translation>Firmware update (unpack)</translation>
    </message>
    <message>
        <source>正在下载升级包:(%1),速度%2/秒</source>
        <translation>Downloading the update package: (%1), %2/s</translation>
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
    <name>WidgetCheck</name>
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
        <source>提示说明内容</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>固件更新(检测)</source>
        <translation>Firmware update (check)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>检测</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>无法连接到消息中心!!!</source>
        <translation>Cannot reach the message centre!</translation>
    </message>
    <message>
        <source>正在检测更新...</source>
        <translation>Checking for updates...</translation>
    </message>
    <message>
        <source>取消点击&quot;取消&quot;,重试点击&quot;检测&quot;.</source>
        <translation>Click &quot;Cancel&quot; to stop, &quot;Check&quot; to try again.</translation>
    </message>
    <message>
        <source>扫描手环失败,请重试!!!</source>
        <translation>Band not found, please try again!</translation>
    </message>
    <message>
        <source>连接手环失败,请重试!!!</source>
        <translation>Could not connect to the band, please try again!</translation>
    </message>
    <message>
        <source>蓝牙监听失败,请重试!!!</source>
        <translation>Could not listen to the band, please try again!</translation>
    </message>
    <message>
        <source>检测失败,请重试!!!</source>
        <translation>Check failed, please try again!</translation>
    </message>
    <message>
        <source>已是最新版本.</source>
        <translation>Already up to date.</translation>
    </message>
    <message>
        <source>当前已是最新版本,不需要更新.</source>
        <translation>The band has the latest firmware; no update needed.</translation>
    </message>
</context>
<context>
    <name>WidgetConfirm</name>
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
        <source>提示说明内容</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>固件更新(确认)</source>
        <translation>Firmware update (confirm)</translation>
    </message>
    <message>
        <source>下次再说</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>立即升级</source>
        <translation>Update now</translation>
    </message>
    <message>
        <source>发现新版本,是否更新?(当前:%1,最新:%2)</source>
        <translation>New version found. Update? (current: %1, latest: %2)</translation>
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
    <name>WidgetDownLoad</name>
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
        <source>固件更新(下载)</source>
        <translation>Firmware update (transfer)</translation>
    </message>
    <message>
        <source>正在更新...</source>
        <translation>Updating...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>固件更新完成.</source>
        <translation>Firmware transfer complete.</translation>
    </message>
    <message>
        <source>固件更新失败,请重试!</source>
        <translation>Firmware update failed, please try again!</translation>
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
    <name>WidgetPageHarvestRun</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>同步步骤1</source>
        <translation>Sync step 1</translation>
    </message>
    <message>
        <source>上次同步时间:</source>
        <translation>Last sync:</translation>
    </message>
    <message>
        <source>正在查询...</source>
        <translation>Querying...</translation>
    </message>
    <message>
        <source>数据日期:</source>
        <translation>Data date:</translation>
    </message>
    <message>
        <source>同步步骤2</source>
        <translation>Sync step 2</translation>
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
    <name>WidgetPageRestDayChart</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetPageRestToday</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
</context>
<context>
    <name>WidgetPageStepsDayChart</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>WidgetPageStepsToday</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
</context>
<context>
    <name>WidgetPageWeekPicker</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>数值1</source>
        <translation>Value 1</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>数值2</source>
        <translation>Value 2</translation>
    </message>
    <message>
        <source>数值3</source>
        <translation>Value 3</translation>
    </message>
    <message>
        <source>数值4</source>
        <translation>Value 4</translation>
    </message>
    <message>
        <source>提示语...</source>
        <translation>Prompt...</translation>
    </message>
</context>
<context>
    <name>WidgetRegister</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>注册</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>协议</source>
        <translation>Terms</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;Tarnwell 用户服务协议&lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;1. 欢迎使用 Tarnwell 公司（以下简称“Tarnwell”）提供的 Quorin 手环及 Quorin 电脑客户端（以下合称“本产品”）。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;2. 在注册帐号前，请您仔细阅读本协议的全部内容。勾选“我已阅读并接受”即表示您同意受本协议约束。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;3. 本产品用于记录日常步数、运动时长、距离、热量消耗及睡眠情况，帮助您了解自己的生活习惯。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;4. 本产品不是医疗器械，其提供的数据和建议仅供参考，不能用于诊断、治疗或预防任何疾病。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;5. 您应使用本人的手机号码注册，并保证填写的资料真实、准确、完整。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;6. 每个手机号码只能注册一个帐号。帐号仅限您本人使用，不得转让、出借或出售。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;7. 请妥善保管您的密码和验证码。因保管不善造成的损失由您自行承担。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;8. 如发现帐号被他人使用，请立即修改密码并与我们联系。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;9. 为提供服务，我们会收集您的手机号码、昵称、性别、年龄、身高、体重以及手环记录的运动和睡眠数据。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;10. 这些数据用于计算健康指数、推荐运动和睡眠目标，并在您的电脑和手机之间同步。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;11. 未经您的同意，我们不会向任何第三方出售或提供您的个人资料，法律法规另有规定的除外。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;12. 我们采取合理的技术和管理措施保护您的数据，但无法保证网络传输绝对安全。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;13. 您可以随时在客户端中查看和修改个人资料，也可以联系我们注销帐号。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;14. 帐号注销后，与该帐号相关的数据将被删除且无法恢复。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;15. 手环与帐号绑定后，其记录的数据将上传到该帐号。一个帐号同一时间只能绑定一个手环。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;16. 转让或丢弃手环前，请先解除绑定，以免他人获得您的数据。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;17. 为改进产品，Tarnwell 可能通过客户端提供软件和手环固件的升级。升级过程中请勿断开手环或关闭程序。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;18. 您不得对本产品进行反向工程、反编译或反汇编，也不得利用本产品从事任何违法活动。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;19. 您不得干扰或破坏服务器和网络的正常运行，不得使用自动程序批量注册帐号。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;20. 本产品中的软件、图片、文字和标识的知识产权归 Tarnwell 所有。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;21. 因网络故障、系统维护或不可抗力导致服务中断的，Tarnwell 将尽力恢复，但不承担由此造成的间接损失。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;22. 运动前请根据自身健康状况量力而行。如感到不适，请立即停止运动并咨询医生。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;23. 手环含有电池，请勿挤压、拆卸、投入火中或长时间置于高温环境。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;24. 手环的防水性能有限，请勿佩戴手环洗热水澡、蒸桑拿或潜水。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;25. 未满十八周岁的用户应在监护人的陪同下阅读本协议，并在取得监护人同意后使用本产品。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;26. Tarnwell 可能根据业务需要修改本协议。修改后的协议将在客户端或官方网站公布，您继续使用即视为接受。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;27. 如您违反本协议，Tarnwell 有权暂停或终止向您提供服务。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;28. 本协议的订立、执行和解释均适用中华人民共和国法律。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;29. 因本协议发生的争议，双方应友好协商解决；协商不成的，可向 Tarnwell 所在地人民法院提起诉讼。&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;30. 如对本协议或本产品有任何疑问，请发送邮件至 &lt;a href=&quot;mailto:service@tarnwell.example&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;service@tarnwell.example&lt;/span&gt;&lt;/a&gt;。&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p align=&quot;center&quot; style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;Tarnwell Terms of Service&lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;1. Welcome to the Quorin band and the Quorin desktop program (together “the Product”) made by Tarnwell (“Tarnwell”).&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;2. Please read all of these terms before you register an account. By ticking “I have read and accept” you agree to be bound by them.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;3. The Product records daily steps, active time, distance, calories burned and sleep, to help you understand your habits.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;4. The Product is not a medical device; its figures and suggestions are for reference only and must not be used to diagnose, treat or prevent any illness.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;5. Register with a mobile number of your own and keep the details you enter true, accurate and complete.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;6. Each mobile number can register one account. The account is for your own use and may not be transferred, lent or sold.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;7. Keep your password and verification codes safe. Losses caused by careless keeping are your own.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;8. If you find someone else using your account, change your password at once and contact us.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;9. To provide the service we collect your mobile number, nickname, sex, age, height, weight and the activity and sleep data your band records.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;10. These data are used to compute your health index, to suggest step and sleep targets and to keep your computers and phones in step.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;11. We do not sell or give your personal data to any third party without your consent, except where the law requires it.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;12. We take reasonable technical and organisational measures to protect your data, but no transfer over a network can be made entirely safe.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;13. You can view and change your profile in the program at any time, and you can ask us to close your account.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;14. Once an account is closed, the data that belong to it are deleted and cannot be restored.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;15. Once a band is bound to an account, the data it records are uploaded to that account. An account holds one band at a time.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;16. Unbind a band before you give it away or discard it, so that nobody else receives your data.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;17. To improve the Product, Tarnwell may offer updates of the program and of the band&apos;s firmware. Do not unplug the band or close the program during an update.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;18. You may not reverse engineer, decompile or disassemble the Product, nor use it for anything unlawful.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;19. You may not disturb the servers or networks, nor register accounts in bulk with automated tools.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;20. The software, pictures, texts and marks of the Product are the intellectual property of Tarnwell.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;21. Where the service stops because of network faults, maintenance or force majeure, Tarnwell will do its best to restore it but is not liable for indirect losses.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;22. Exercise within your own limits. If you feel unwell, stop at once and consult a doctor.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;23. The band contains a battery: do not crush it, take it apart, throw it into fire or leave it in heat for long.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;24. The band resists water only to a degree: do not wear it in a hot shower, in a sauna or when diving.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;25. Users under eighteen should read these terms with a guardian and use the Product only with the guardian&apos;s consent.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;26. Tarnwell may change these terms. Changed terms are published in the program or on the official website; using the Product after that means you accept them.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;27. If you break these terms, Tarnwell may suspend or end your service.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;28. These terms are made, performed and interpreted under the law of the People&apos;s Republic of China.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;29. Disputes under these terms are first settled by friendly talks; failing that, either side may bring a suit before the people&apos;s court where Tarnwell is seated.&lt;/p&gt;
&lt;p style=&quot; margin-top:6px; margin-bottom:6px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;30. If you have any question about these terms or the Product, write to &lt;a href=&quot;mailto:service@tarnwell.example&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;service@tarnwell.example&lt;/span&gt;&lt;/a&gt;.&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>设备绑定</source>
        <translation>Bind band</translation>
    </message>
    <message>
        <source>个人信息</source>
        <translation>Personal data</translation>
    </message>
    <message>
        <source>呢称</source>
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
    <message>
        <source>运动信息</source>
        <translation>Targets</translation>
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
    <name>WidgetUncompress</name>
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
<context>
    <name>WidgetWeekChart</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
</TS>
