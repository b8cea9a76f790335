<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutPictures</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>: 已是新名称</source>
        <translation>: already named</translation>
    </message>
    <message>
        <source>正在读取 %1/%2</source>
        <translation>Reading %1/%2</translation>
    </message>
    <message>
        <source>文件已存在: %1</source>
        <translation>File exists: %1</translation>
    </message>
    <message>
        <source>无法修改: 不能改名为 %1</source>
        <translation>Cannot rename: cannot be named %1</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>No such file</translation>
    </message>
    <message>
        <source>不是 apk、xapk、apks、apkm 或 ipa 文件</source>
        <translation>Not an apk, xapk, apks, apkm or ipa file</translation>
    </message>
    <message>
        <source>--jobs 需要一个数字</source>
        <translation>--jobs needs a number</translation>
    </message>
    <message>
        <source>--jobs 的值无效: %1</source>
        <translation>Invalid value for --jobs: %1</translation>
    </message>
    <message>
        <source>--rule 需要一个命名规则</source>
        <translation>--rule needs a naming rule</translation>
    </message>
    <message>
        <source>规则命名错误,请确认.: %1</source>
        <translation>Invalid naming rule, please check: %1</translation>
    </message>
    <message>
        <source>未知选项: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>-j 需要一个数字</source>
        <translation>-j needs a number</translation>
    </message>
    <message>
        <source>-j 的值无效: %1</source>
        <translation>Invalid value for -j: %1</translation>
    </message>
    <message>
        <source>未知选项: -%1</source>
        <translation>Unknown option: -%1</translation>
    </message>
    <message>
        <source>没有给出文件或文件夹</source>
        <translation>No file or folder given</translation>
    </message>
    <message>
        <source>用法: tavrel                         打开窗口
      tavrel 文件                    按命名规则重命名这一个安装包
      tavrel --open 文件...          打开窗口并把这些文件加入列表
      tavrel [选项] 路径...          重命名列出的安装包和文件夹里的安装包

选项:
  -n, --dry-run      只显示将会怎样重命名, 不改动任何文件
  -r, --recursive    也处理子文件夹里的安装包
  -j, --jobs N       同时读取 N 个安装包 (默认: 处理器个数)
      --rule 规则    本次使用这个命名规则 (须含 %Name% 和 %Version%), 不保存
  -q, --quiet        只显示错误
  -h, --help         显示这段说明
  -V, --version      显示版本
  --                 之后的参数都是路径

例子:
  tavrel -n ~/下载                   看看下载文件夹里的安装包会叫什么
  tavrel -r -j 4 ~/下载 a.apk        重命名, 含子文件夹, 同时读 4 个
  tavrel --rule &quot;%Version%-%Name%&quot; *.ipa

退出码: 0 全部已重命名或已是新名, 1 有安装包未能重命名, 2 用法错误.
</source>
        <translation>Usage: tavrel                         open the window
       tavrel FILE                    rename this one package by the naming rule
       tavrel --open FILE...          open the window with these files listed
       tavrel [OPTIONS] PATH...       rename the packages named and those in the folders named

Options:
  -n, --dry-run      only show how packages would be renamed; change nothing
  -r, --recursive    also take the packages in sub-folders
  -j, --jobs N       read N packages at once (default: the number of processors)
      --rule RULE    use this naming rule for this run (must hold %Name% and %Version%); not stored
  -q, --quiet        show errors only
  -h, --help         show this text
  -V, --version      show the version
  --                 every argument after it is a path

Examples:
  tavrel -n ~/Downloads              see what the packages in Downloads would be called
  tavrel -r -j 4 ~/Downloads a.apk   rename, sub-folders too, reading 4 at a time
  tavrel --rule &quot;%Version%-%Name%&quot; *.ipa

Exit status: 0 all renamed or already named, 1 some package not renamed, 2 usage error.
</translation>
    </message>
    <message>
        <source>用法见 tavrel --help</source>
        <translation>See tavrel --help for usage</translation>
    </message>
    <message>
        <source>提示:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>CommandLineRename</name>
    <message>
        <source>不是 apk、xapk、apks、apkm 或 ipa 文件: %1</source>
        <translation>Not an apk, xapk, apks, apkm or ipa file: %1</translation>
    </message>
    <message>
        <source>文件不存在: %1</source>
        <translation>No such file: %1</translation>
    </message>
</context>
<context>
    <name>DetailsForm</name>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>当前名称:</source>
        <translation>Current name:</translation>
    </message>
    <message>
        <source>新建名称:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>调用浏览器错误！</source>
        <translation>Could not open the web browser!</translation>
    </message>
    <message>
        <source>文件已不存在</source>
        <translation>The file no longer exists</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>添加APK程序[支持多选]</source>
        <translation>Add packages [select several at once]</translation>
    </message>
    <message>
        <source>安卓(apk)/苹果(ipa) (%1)</source>
        <translation>Android (apk)/Apple (ipa) (%1)</translation>
    </message>
</context>
<context>
    <name>FileManagerEntry</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>右键菜单写入成功</source>
        <translation>Menu entry added</translation>
    </message>
    <message>
        <source>右键菜单写入失败</source>
        <translation>Could not add the menu entry</translation>
    </message>
    <message>
        <source>成功删除右键菜单项</source>
        <translation>Menu entry removed</translation>
    </message>
    <message>
        <source>右键菜单删除失败</source>
        <translation>Could not remove the menu entry</translation>
    </message>
</context>
<context>
    <name>FoPrint</name>
    <message>
        <source>命名规则设置</source>
        <translation>Naming rule</translation>
    </message>
    <message>
        <source>格式串:</source>
        <translation>Pattern:</translation>
    </message>
    <message>
        <source>%Name%       程序名称(规则名请勿修改)</source>
        <translation>%Name%       app name (don&apos;t edit)</translation>
    </message>
    <message>
        <source>%Version%    程序版本(规则名请勿修改)</source>
        <translation>%Version%    app version (don&apos;t edit)</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>规则命名错误,请确认.</source>
        <translation>Invalid naming rule; please check.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>命名规则无法保存,仅本次运行有效.</source>
        <translation>Rule not saved (this run only).</translation>
    </message>
</context>
<context>
    <name>ForMail</name>
    <message>
        <source>Tavrel %1 安装包改名工具</source>
        <translation>Tavrel %1 package renamer</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>支付宝赞助</source>
        <translation>Alipay</translation>
    </message>
    <message>
        <source>微信赞助</source>
        <translation>WeChat</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>ForMsgx</name>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>ForOuta</name>
    <message>
        <source>IPA程序信息</source>
        <translation>IPA app details</translation>
    </message>
    <message>
        <source>程序名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>程序版本:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>软件大小:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>软件标识:</source>
        <translation>Bundle ID:</translation>
    </message>
    <message>
        <source>软件类别:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>支持设备:</source>
        <translation>Devices:</translation>
    </message>
    <message>
        <source>系统需求:</source>
        <translation>Requires:</translation>
    </message>
    <message>
        <source>软件作者:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>软件授权:</source>
        <translation>Licence:</translation>
    </message>
    <message>
        <source>软件收费:</source>
        <translation>Price:</translation>
    </message>
</context>
<context>
    <name>ForOuts</name>
    <message>
        <source>程序信息</source>
        <translation>App details</translation>
    </message>
    <message>
        <source>程序名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>程序版本:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>软件大小:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>软件标识:</source>
        <translation>Package ID:</translation>
    </message>
    <message>
        <source>系统要求(最低):</source>
        <translation>Min. system:</translation>
    </message>
    <message>
        <source>系统要求(最佳):</source>
        <translation>Target system:</translation>
    </message>
    <message>
        <source>屏幕尺寸:</source>
        <translation>Screen sizes:</translation>
    </message>
    <message>
        <source>分辨率:</source>
        <translation>Densities:</translation>
    </message>
    <message>
        <source>系统权限:</source>
        <translation>Permissions:</translation>
    </message>
</context>
<context>
    <name>ForShow</name>
    <message>
        <source>程序原信息</source>
        <translation>Raw app metadata</translation>
    </message>
</context>
<context>
    <name>Intake</name>
    <message>
        <source>正在读取 %1/%2</source>
        <translation>Reading %1/%2</translation>
    </message>
</context>
<context>
    <name>ListPopupMenu</name>
    <message>
        <source>右键菜单</source>
        <translation>Context menu</translation>
    </message>
    <message>
        <source>添加文件(&amp;P)</source>
        <translation>Add files (&amp;P)</translation>
    </message>
    <message>
        <source>当前删除(&amp;D)</source>
        <translation>Remove selected (&amp;D)</translation>
    </message>
    <message>
        <source>清空列表(&amp;C)</source>
        <translation>Clear list (&amp;C)</translation>
    </message>
    <message>
        <source>开始改名(&amp;S)</source>
        <translation>Start renaming (&amp;S)</translation>
    </message>
    <message>
        <source>关于软件(&amp;A)</source>
        <translation>About (&amp;A)</translation>
    </message>
</context>
<context>
    <name>MainHints</name>
    <message>
        <source>Tavrel v%1 安装包改名工具, 构建于 %2.</source>
        <translation>Tavrel v%1 package renamer, built %2.</translation>
    </message>
    <message>
        <source>添加文件.</source>
        <translation>Add files.</translation>
    </message>
    <message>
        <source>删除当前选择文件.</source>
        <translation>Remove the selected files.</translation>
    </message>
    <message>
        <source>清空当前文件.</source>
        <translation>Clear the list.</translation>
    </message>
    <message>
        <source>命名规则设置.</source>
        <translation>Set the naming rule.</translation>
    </message>
    <message>
        <source>添加系统右键菜单用于修改文件名.</source>
        <translation>Add a rename entry to the file manager&apos;s menu.</translation>
    </message>
    <message>
        <source>删除系统右键菜单.</source>
        <translation>Remove the file manager&apos;s menu entry.</translation>
    </message>
    <message>
        <source>开始改名.</source>
        <translation>Start renaming.</translation>
    </message>
    <message>
        <source>退出软件.</source>
        <translation>Exit the program.</translation>
    </message>
    <message>
        <source>暂不支持发送邮件,网站禁止发步.</source>
        <translation>No mail yet; the website forbids posting.</translation>
    </message>
    <message>
        <source>列表清单.</source>
        <translation>The package list.</translation>
    </message>
    <message>
        <source>状态栏: </source>
        <translation>Status: </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>关于(&amp;A)</source>
        <translation>About (&amp;A)</translation>
    </message>
    <message>
        <source>添加文件</source>
        <translation>Add files</translation>
    </message>
    <message>
        <source>当前删除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>命名设置</source>
        <translation>Naming rule</translation>
    </message>
    <message>
        <source>添加系统菜单</source>
        <translation>Add to menu</translation>
    </message>
    <message>
        <source>删除系统菜单</source>
        <translation>Del. menu</translation>
    </message>
    <message>
        <source>开始改名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>是否要清空当前列表?</source>
        <translation>Clear the list?</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>关于软件</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>PackageList</name>
    <message>
        <source>总数: </source>
        <translation>Total: </translation>
    </message>
    <message>
        <source>提示: 双击软件列表可显示详细信息.</source>
        <translation>Tip: double-click a package to see its details.</translation>
    </message>
    <message>
        <source>状态: 您也可以将所要处理的文件拖放到窗体内.</source>
        <translation>Status: you can also drop files onto the window.</translation>
    </message>
</context>
<context>
    <name>PackageListModel</name>
    <message>
        <source>程序原名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>内部名称(中文)</source>
        <translation>App name</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>大小(MB)</source>
        <translation>Size (MB)</translation>
    </message>
    <message>
        <source>系统要求(低)</source>
        <translation>Min. system</translation>
    </message>
    <message>
        <source>系统平台</source>
        <translation>Platform</translation>
    </message>
    <message>
        <source>修改状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>目录地址</source>
        <translation>Folder</translation>
    </message>
</context>
<context>
    <name>PermissionCatalogue</name>
    <message>
        <source>访问登记属性</source>
        <translation>access check-in properties</translation>
    </message>
    <message>
        <source>获取错略位置</source>
        <translation>approximate location</translation>
    </message>
    <message>
        <source>获取精确位置</source>
        <translation>precise location</translation>
    </message>
    <message>
        <source>访问定位额外命令</source>
        <translation>extra location provider commands</translation>
    </message>
    <message>
        <source>获取模拟定位信息</source>
        <translation>mock locations</translation>
    </message>
    <message>
        <source>获取网络状态</source>
        <translation>view network state</translation>
    </message>
    <message>
        <source>访问SurfaceFlinger</source>
        <translation>access SurfaceFlinger</translation>
    </message>
    <message>
        <source>获取WiFi状态</source>
        <translation>view Wi-Fi state</translation>
    </message>
    <message>
        <source>作为账户管理器</source>
        <translation>act as the account manager</translation>
    </message>
    <message>
        <source>验证账户</source>
        <translation>authenticate accounts</translation>
    </message>
    <message>
        <source>获取电池状态</source>
        <translation>battery statistics</translation>
    </message>
    <message>
        <source>绑定桌面小部件</source>
        <translation>bind home-screen widgets</translation>
    </message>
    <message>
        <source>绑定设备管理器</source>
        <translation>bind a device administrator</translation>
    </message>
    <message>
        <source>绑定输入法</source>
        <translation>bind an input method</translation>
    </message>
    <message>
        <source>绑定RemoteViews</source>
        <translation>bind RemoteViews</translation>
    </message>
    <message>
        <source>绑定动态壁纸</source>
        <translation>bind a live wallpaper</translation>
    </message>
    <message>
        <source>使用蓝牙</source>
        <translation>use Bluetooth</translation>
    </message>
    <message>
        <source>管理蓝牙</source>
        <translation>administer Bluetooth</translation>
    </message>
    <message>
        <source>变成砖头</source>
        <translation>disable the device for good</translation>
    </message>
    <message>
        <source>广播应用删除</source>
        <translation>broadcast app removal</translation>
    </message>
    <message>
        <source>广播收到短信</source>
        <translation>broadcast received SMS</translation>
    </message>
    <message>
        <source>发送粘性广播</source>
        <translation>send sticky broadcasts</translation>
    </message>
    <message>
        <source>广播WAP Push</source>
        <translation>broadcast WAP push</translation>
    </message>
    <message>
        <source>拨打电话</source>
        <translation>make phone calls</translation>
    </message>
    <message>
        <source>拨打任意号码</source>
        <translation>call any number, emergency included</translation>
    </message>
    <message>
        <source>拍照权限</source>
        <translation>take pictures</translation>
    </message>
    <message>
        <source>启用或禁用组件</source>
        <translation>enable or disable app components</translation>
    </message>
    <message>
        <source>修改系统配置</source>
        <translation>change system configuration</translation>
    </message>
    <message>
        <source>改变网络状态</source>
        <translation>change network state</translation>
    </message>
    <message>
        <source>改变WiFi多播状态</source>
        <translation>change Wi-Fi multicast state</translation>
    </message>
    <message>
        <source>改变WiFi状态</source>
        <translation>change Wi-Fi state</translation>
    </message>
    <message>
        <source>清除应用缓存</source>
        <translation>clear app caches</translation>
    </message>
    <message>
        <source>清除应用数据</source>
        <translation>clear app user data</translation>
    </message>
    <message>
        <source>底层访问权限</source>
        <translation>low-level access</translation>
    </message>
    <message>
        <source>手机优化大师扩展权限</source>
        <translation>phone optimiser extended access</translation>
    </message>
    <message>
        <source>控制位置更新</source>
        <translation>control location updates</translation>
    </message>
    <message>
        <source>删除缓存文件</source>
        <translation>delete cache files</translation>
    </message>
    <message>
        <source>删除应用</source>
        <translation>delete apps</translation>
    </message>
    <message>
        <source>电源管理</source>
        <translation>power management</translation>
    </message>
    <message>
        <source>读写诊断资源</source>
        <translation>read and write diagnostic resources</translation>
    </message>
    <message>
        <source>禁用键盘锁</source>
        <translation>disable the key lock</translation>
    </message>
    <message>
        <source>获取系统转储信息</source>
        <translation>dump system state</translation>
    </message>
    <message>
        <source>状态栏控制</source>
        <translation>control the status bar</translation>
    </message>
    <message>
        <source>工厂测试模式</source>
        <translation>factory test mode</translation>
    </message>
    <message>
        <source>使用闪光灯</source>
        <translation>use the flashlight</translation>
    </message>
    <message>
        <source>强制后退</source>
        <translation>force the back action</translation>
    </message>
    <message>
        <source>访问账户Gmail列表</source>
        <translation>list accounts (Gmail)</translation>
    </message>
    <message>
        <source>获取应用大小</source>
        <translation>get app sizes</translation>
    </message>
    <message>
        <source>获取任务信息</source>
        <translation>get running tasks</translation>
    </message>
    <message>
        <source>全局搜索</source>
        <translation>global search</translation>
    </message>
    <message>
        <source>硬件测试</source>
        <translation>hardware test</translation>
    </message>
    <message>
        <source>注入输入事件</source>
        <translation>inject input events</translation>
    </message>
    <message>
        <source>安装定位提供者</source>
        <translation>install a location provider</translation>
    </message>
    <message>
        <source>安装应用</source>
        <translation>install apps</translation>
    </message>
    <message>
        <source>打开内部系统窗口</source>
        <translation>open internal system windows</translation>
    </message>
    <message>
        <source>访问网络</source>
        <translation>internet access</translation>
    </message>
    <message>
        <source>结束后台进程</source>
        <translation>kill background processes</translation>
    </message>
    <message>
        <source>管理账户</source>
        <translation>manage accounts</translation>
    </message>
    <message>
        <source>管理应用令牌</source>
        <translation>manage app tokens</translation>
    </message>
    <message>
        <source>高级权限</source>
        <translation>advanced access</translation>
    </message>
    <message>
        <source>社区权限</source>
        <translation>community access</translation>
    </message>
    <message>
        <source>恢复出厂设置</source>
        <translation>factory reset</translation>
    </message>
    <message>
        <source>修改声音设置</source>
        <translation>change audio settings</translation>
    </message>
    <message>
        <source>修改电话状态</source>
        <translation>change phone state</translation>
    </message>
    <message>
        <source>格式化存储设备</source>
        <translation>format storage</translation>
    </message>
    <message>
        <source>挂载文件系统</source>
        <translation>mount and unmount file systems</translation>
    </message>
    <message>
        <source>使用NFC</source>
        <translation>use NFC</translation>
    </message>
    <message>
        <source>常驻Activity</source>
        <translation>persistent activity</translation>
    </message>
    <message>
        <source>处理拨出电话</source>
        <translation>handle outgoing calls</translation>
    </message>
    <message>
        <source>读取日程</source>
        <translation>read the calendar</translation>
    </message>
    <message>
        <source>读取联系人</source>
        <translation>read contacts</translation>
    </message>
    <message>
        <source>读取屏幕截图</source>
        <translation>read the frame buffer (screenshots)</translation>
    </message>
    <message>
        <source>读取收藏夹和历史记录</source>
        <translation>read bookmarks and history</translation>
    </message>
    <message>
        <source>读取输入状态</source>
        <translation>read input state</translation>
    </message>
    <message>
        <source>读取系统日志</source>
        <translation>read system logs</translation>
    </message>
    <message>
        <source>读取电话状态</source>
        <translation>read phone state</translation>
    </message>
    <message>
        <source>读取短信</source>
        <translation>read SMS</translation>
    </message>
    <message>
        <source>读取在线同步设置</source>
        <translation>read sync settings</translation>
    </message>
    <message>
        <source>读取在线同步状态</source>
        <translation>read sync statistics</translation>
    </message>
    <message>
        <source>重启设备</source>
        <translation>reboot the device</translation>
    </message>
    <message>
        <source>开机自动允许</source>
        <translation>run at start-up</translation>
    </message>
    <message>
        <source>接收彩信</source>
        <translation>receive MMS</translation>
    </message>
    <message>
        <source>接收短信</source>
        <translation>receive SMS</translation>
    </message>
    <message>
        <source>接收WAP Push</source>
        <translation>receive WAP push</translation>
    </message>
    <message>
        <source>录音</source>
        <translation>record audio</translation>
    </message>
    <message>
        <source>调整任务顺序</source>
        <translation>reorder tasks</translation>
    </message>
    <message>
        <source>重启应用</source>
        <translation>restart apps</translation>
    </message>
    <message>
        <source>发送短信</source>
        <translation>send SMS</translation>
    </message>
    <message>
        <source>设置Activity观察其</source>
        <translation>set an activity watcher</translation>
    </message>
    <message>
        <source>设置闹铃提醒</source>
        <translation>set alarms</translation>
    </message>
    <message>
        <source>设置总是结束后台Activity</source>
        <translation>always finish background activities</translation>
    </message>
    <message>
        <source>设置动画缩放</source>
        <translation>set animation scale</translation>
    </message>
    <message>
        <source>设置调试应用</source>
        <translation>set the app to debug</translation>
    </message>
    <message>
        <source>设置屏幕方向</source>
        <translation>set screen orientation</translation>
    </message>
    <message>
        <source>设置默认应用</source>
        <translation>set preferred apps</translation>
    </message>
    <message>
        <source>限制进程数量</source>
        <translation>limit the number of processes</translation>
    </message>
    <message>
        <source>设置系统时间</source>
        <translation>set the system time</translation>
    </message>
    <message>
        <source>设置系统时区</source>
        <translation>set the time zone</translation>
    </message>
    <message>
        <source>设置壁纸</source>
        <translation>set the wallpaper</translation>
    </message>
    <message>
        <source>设置壁纸尺寸</source>
        <translation>set wallpaper size hints</translation>
    </message>
    <message>
        <source>向常驻进程发信号</source>
        <translation>signal persistent processes</translation>
    </message>
    <message>
        <source>读取订阅内容</source>
        <translation>read subscribed feeds</translation>
    </message>
    <message>
        <source>写入订阅内容</source>
        <translation>write subscribed feeds</translation>
    </message>
    <message>
        <source>显示系统窗口</source>
        <translation>show system windows</translation>
    </message>
    <message>
        <source>更新设备状态</source>
        <translation>update device statistics</translation>
    </message>
    <message>
        <source>使用账户凭据</source>
        <translation>use account credentials</translation>
    </message>
    <message>
        <source>使用SIP网络电话</source>
        <translation>use SIP internet calls</translation>
    </message>
    <message>
        <source>使用振动</source>
        <translation>use vibration</translation>
    </message>
    <message>
        <source>唤醒锁定</source>
        <translation>keep the device awake</translation>
    </message>
    <message>
        <source>写入APN设置</source>
        <translation>write APN settings</translation>
    </message>
    <message>
        <source>写入日程</source>
        <translation>write the calendar</translation>
    </message>
    <message>
        <source>写入联系人</source>
        <translation>write contacts</translation>
    </message>
    <message>
        <source>写入外部存储</source>
        <translation>write external storage</translation>
    </message>
    <message>
        <source>修改Google服务设置</source>
        <translation>change Google service settings</translation>
    </message>
    <message>
        <source>写入收藏夹和历史记录</source>
        <translation>write bookmarks and history</translation>
    </message>
    <message>
        <source>写入安全设置</source>
        <translation>write secure settings</translation>
    </message>
    <message>
        <source>写入系统设置</source>
        <translation>write system settings</translation>
    </message>
    <message>
        <source>写入短信</source>
        <translation>write SMS</translation>
    </message>
    <message>
        <source>写入在线同步设置</source>
        <translation>write sync settings</translation>
    </message>
</context>
<context>
    <name>RenameRun</name>
    <message>
        <source>无法修改: 未能读出 %1 的程序名称</source>
        <translation>Not renamed: could not read the app name of %1</translation>
    </message>
    <message>
        <source>无法修改: 命名规则得出的名称为空</source>
        <translation>Not renamed: the naming rule gives an empty name</translation>
    </message>
    <message>
        <source>文件已存在: %1</source>
        <translation>File exists: %1</translation>
    </message>
    <message>
        <source>无法修改: %1 不能改名为 %2</source>
        <translation>Not renamed: %1 cannot be renamed to %2</translation>
    </message>
    <message>
        <source>修改完成</source>
        <translation>Renamed</translation>
    </message>
    <message>
        <source>文件已存在</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>无法修改</source>
        <translation>Failed</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>文件丢失,软件无法正常运行.</source>
        <translation> is missing; cannot run.</translation>
    </message>
    <message>
        <source>软件已在运行...</source>
        <translation>Tavrel is already running...</translation>
    </message>
</context>
<context>
    <name>ToolFailure</name>
    <message>
        <source> 退出码 </source>
        <translation> exit code </translation>
    </message>
    <message>
        <source> 不存在</source>
        <translation> is missing</translation>
    </message>
    <message>
        <source> 无法启动</source>
        <translation> could not be started</translation>
    </message>
    <message>
        <source> 超时</source>
        <translation> timed out</translation>
    </message>
    <message>
        <source> 异常结束</source>
        <translation> crashed</translation>
    </message>
    <message>
        <source> 输出超出限制</source>
        <translation> wrote too much output</translation>
    </message>
    <message>
        <source> 已停止</source>
        <translation> was stopped</translation>
    </message>
</context>
<context>
    <name>WindowEntry</name>
    <message>
        <source>提示:</source>
        <translation>Notice:</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>没有可用的显示, 无法打开窗口</source>
        <translation>no display available, cannot open the window</translation>
    </message>
</context>
<context>
    <name>WindowModule</name>
    <message>
        <source>无法载入窗口程序库: %1</source>
        <translation>Cannot load the window library: %1</translation>
    </message>
</context>
<context>
    <name>skin::jcForms</name>
    <message>
        <source>还原(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>移动(&amp;M)</source>
        <translation>&amp;Move</translation>
    </message>
    <message>
        <source>大小(&amp;S)</source>
        <translation>&amp;Size</translation>
    </message>
    <message>
        <source>最小化(&amp;X)</source>
        <translation>Mi&amp;nimize</translation>
    </message>
    <message>
        <source>最大化(&amp;N)</source>
        <translation>Ma&amp;ximize</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>置顶(&amp;T)</source>
        <translation>Always on &amp;top</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>向下还原</source>
        <translation>Restore down</translation>
    </message>
</context>
<context>
    <name>skin::jcbutton</name>
    <message>
        <source>关于 jcbutton</source>
        <translation>About jcbutton</translation>
    </message>
    <message>
        <source>jcbutton 多样式按钮

十六种绘制样式，支持热点、按下与选中外观、按钮图片和复选模式。</source>
        <translation>jcbutton multi-style button

Sixteen drawing styles, with hover, pressed and checked looks, button pictures and a check-box mode.</translation>
    </message>
</context>
</TS>
