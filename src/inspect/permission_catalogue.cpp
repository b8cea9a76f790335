#include "inspect/permission_catalogue.h"

#include <QLatin1String>

namespace {

// Several wordings here are odd ("获取错略位置", "设置Activity观察其"); users know them as they
// stand, so they are kept.
constexpr PermissionCatalogue::Entry kEntries[] = {
    {"android.permission.ACCESS_CHECKIN_PROPERTIES", "访问登记属性"},
    {"android.permission.ACCESS_COARSE_LOCATION", "获取错略位置"},
    {"android.permission.ACCESS_FINE_LOCATION", "获取精确位置"},
    {"android.permission.ACCESS_LOCATION_EXTRA_COMMANDS", "访问定位额外命令"},
    {"android.permission.ACCESS_MOCK_LOCATION", "获取模拟定位信息"},
    {"android.permission.ACCESS_NETWORK_STATE", "获取网络状态"},
    {"android.permission.ACCESS_SURFACE_FLINGER", "访问SurfaceFlinger"},
    {"android.permission.ACCESS_WIFI_STATE", "获取WiFi状态"},
    {"android.permission.ACCOUNT_MANAGER", "作为账户管理器"},
    {"android.permission.AUTHENTICATE_ACCOUNTS", "验证账户"},
    {"android.permission.BATTERY_STATS", "获取电池状态"},
    {"android.permission.BIND_APPWIDGET", "绑定桌面小部件"},
    {"android.permission.BIND_DEVICE_ADMIN", "绑定设备管理器"},
    {"android.permission.BIND_INPUT_METHOD", "绑定输入法"},
    {"android.permission.BIND_REMOTEVIEWS", "绑定RemoteViews"},
    {"android.permission.BIND_WALLPAPER", "绑定动态壁纸"},
    {"android.permission.BLUETOOTH", "使用蓝牙"},
    {"android.permission.BLUETOOTH_ADMIN", "管理蓝牙"},
    {"android.permission.BRICK", "变成砖头"},
    {"android.permission.BROADCAST_PACKAGE_REMOVED", "广播应用删除"},
    {"android.permission.BROADCAST_SMS", "广播收到短信"},
    {"android.permission.BROADCAST_STICKY", "发送粘性广播"},
    {"android.permission.BROADCAST_WAP_PUSH", "广播WAP Push"},
    {"android.permission.CALL_PHONE", "拨打电话"},
    {"android.permission.CALL_PRIVILEGED", "拨打任意号码"},
    {"android.permission.CAMERA", "拍照权限"},
    {"android.permission.CHANGE_COMPONENT_ENABLED_STATE", "启用或禁用组件"},
    {"android.permission.CHANGE_CONFIGURATION", "修改系统配置"},
    {"android.permission.CHANGE_NETWORK_STATE", "改变网络状态"},
    {"android.permission.CHANGE_WIFI_MULTICAST_STATE", "改变WiFi多播状态"},
    {"android.permission.CHANGE_WIFI_STATE", "改变WiFi状态"},
    {"android.permission.CLEAR_APP_CACHE", "清除应用缓存"},
    {"android.permission.CLEAR_APP_USER_DATA", "清除应用数据"},
    {"android.permission.CWJ_GROUP", "底层访问权限"},
    {"android.permission.CELL_PHONE_MASTER_EX", "手机优化大师扩展权限"},
    {"android.permission.CONTROL_LOCATION_UPDATES", "控制位置更新"},
    {"android.permission.DELETE_CACHE_FILES", "删除缓存文件"},
    {"android.permission.DELETE_PACKAGES", "删除应用"},
    {"android.permission.DEVICE_POWER", "电源管理"},
    {"android.permission.DIAGNOSTIC", "读写诊断资源"},
    {"android.permission.DISABLE_KEYGUARD", "禁用键盘锁"},
    {"android.permission.DUMP", "获取系统转储信息"},
    {"android.permission.EXPAND_STATUS_BAR", "状态栏控制"},
    {"android.permission.FACTORY_TEST", "工厂测试模式"},
    {"android.permission.FLASHLIGHT", "使用闪光灯"},
    {"android.permission.FORCE_BACK", "强制后退"},
    {"android.permission.GET_ACCOUNTS", "访问账户Gmail列表"},
    {"android.permission.GET_PACKAGE_SIZE", "获取应用大小"},
    {"android.permission.GET_TASKS", "获取任务信息"},
    {"android.permission.GLOBAL_SEARCH", "全局搜索"},
    {"android.permission.HARDWARE_TEST", "硬件测试"},
    {"android.permission.INJECT_EVENTS", "注入输入事件"},
    {"android.permission.INSTALL_LOCATION_PROVIDER", "安装定位提供者"},
    {"android.permission.INSTALL_PACKAGES", "安装应用"},
    {"android.permission.INTERNAL_SYSTEM_WINDOW", "打开内部系统窗口"},
    {"android.permission.INTERNET", "访问网络"},
    {"android.permission.KILL_BACKGROUND_PROCESSES", "结束后台进程"},
    {"android.permission.MANAGE_ACCOUNTS", "管理账户"},
    {"android.permission.MANAGE_APP_TOKENS", "管理应用令牌"},
    {"android.permission.MTWEAK_USER", "高级权限"},
    {"android.permission.MTWEAK_FORUM", "社区权限"},
    {"android.permission.MASTER_CLEAR", "恢复出厂设置"},
    {"android.permission.MODIFY_AUDIO_SETTINGS", "修改声音设置"},
    {"android.permission.MODIFY_PHONE_STATE", "修改电话状态"},
    {"android.permission.MOUNT_FORMAT_FILESYSTEMS", "格式化存储设备"},
    {"android.permission.MOUNT_UNMOUNT_FILESYSTEMS", "挂载文件系统"},
    {"android.permission.NFC", "使用NFC"},
    {"android.permission.PERSISTENT_ACTIVITY", "常驻Activity"},
    {"android.permission.PROCESS_OUTGOING_CALLS", "处理拨出电话"},
    {"android.permission.READ_CALENDAR", "读取日程"},
    {"android.permission.READ_CONTACTS", "读取联系人"},
    {"android.permission.READ_FRAME_BUFFER", "读取屏幕截图"},
    {"com.android.browser.permission.READ_HISTORY_BOOKMARKS", "读取收藏夹和历史记录"},
    {"android.permission.READ_INPUT_STATE", "读取输入状态"},
    {"android.permission.READ_LOGS", "读取系统日志"},
    {"android.permission.READ_PHONE_STATE", "读取电话状态"},
    {"android.permission.READ_SMS", "读取短信"},
    {"android.permission.READ_SYNC_SETTINGS", "读取在线同步设置"},
    {"android.permission.READ_SYNC_STATS", "读取在线同步状态"},
    {"android.permission.REBOOT", "重启设备"},
    {"android.permission.RECEIVE_BOOT_COMPLETED", "开机自动允许"},
    {"android.permission.RECEIVE_MMS", "接收彩信"},
    {"android.permission.RECEIVE_SMS", "接收短信"},
    {"android.permission.RECEIVE_WAP_PUSH", "接收WAP Push"},
    {"android.permission.RECORD_AUDIO", "录音"},
    {"android.permission.REORDER_TASKS", "调整任务顺序"},
    {"android.permission.RESTART_PACKAGES", "重启应用"},
    {"android.permission.SEND_SMS", "发送短信"},
    {"android.permission.SET_ACTIVITY_WATCHER", "设置Activity观察其"},
    {"com.android.alarm.permission.SET_ALARM", "设置闹铃提醒"},
    {"android.permission.SET_ALWAYS_FINISH", "设置总是结束后台Activity"},
    {"android.permission.SET_ANIMATION_SCALE", "设置动画缩放"},
    {"android.permission.SET_DEBUG_APP", "设置调试应用"},
    {"android.permission.SET_ORIENTATION", "设置屏幕方向"},
    {"android.permission.SET_PREFERRED_APPLICATIONS", "设置默认应用"},
    {"android.permission.SET_PROCESS_LIMIT", "限制进程数量"},
    {"android.permission.SET_TIME", "设置系统时间"},
    {"android.permission.SET_TIME_ZONE", "设置系统时区"},
    {"android.permission.SET_WALLPAPER", "设置壁纸"},
    {"android.permission.SET_WALLPAPER_HINTS", "设置壁纸尺寸"},
    {"android.permission.SIGNAL_PERSISTENT_PROCESSES", "向常驻进程发信号"},
    {"android.permission.STATUS_BAR", "状态栏控制"},
    {"android.permission.SUBSCRIBED_FEEDS_READ", "读取订阅内容"},
    {"android.permission.SUBSCRIBED_FEEDS_WRITE", "写入订阅内容"},
    {"android.permission.SYSTEM_ALERT_WINDOW", "显示系统窗口"},
    {"android.permission.UPDATE_DEVICE_STATS", "更新设备状态"},
    {"android.permission.USE_CREDENTIALS", "使用账户凭据"},
    {"android.permission.USE_SIP", "使用SIP网络电话"},
    {"android.permission.VIBRATE", "使用振动"},
    {"android.permission.WAKE_LOCK", "唤醒锁定"},
    {"android.permission.WRITE_APN_SETTINGS", "写入APN设置"},
    {"android.permission.WRITE_CALENDAR", "写入日程"},
    {"android.permission.WRITE_CONTACTS", "写入联系人"},
    {"android.permission.WRITE_EXTERNAL_STORAGE", "写入外部存储"},
    {"android.permission.WRITE_GSERVICES", "修改Google服务设置"},
    {"com.android.browser.permission.WRITE_HISTORY_BOOKMARKS", "写入收藏夹和历史记录"},
    {"android.permission.WRITE_SECURE_SETTINGS", "写入安全设置"},
    {"android.permission.WRITE_SETTINGS", "写入系统设置"},
    {"android.permission.WRITE_SMS", "写入短信"},
    {"android.permission.WRITE_SYNC_SETTINGS", "写入在线同步设置"},
};

} // namespace

namespace PermissionCatalogue {

QString describe(const QString &permissionName)
{
    for (const Entry &entry : kEntries) {
        if (permissionName == QLatin1String(entry.name))
            return QString::fromUtf8(entry.description);
    }
    return QString();
}

std::span<const Entry> entries()
{
    return kEntries;
}

} // namespace PermissionCatalogue
