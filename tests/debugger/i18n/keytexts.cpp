// Key texts of Wrenpost's catalogues and what they must become.

#include <QString>
#include <QTest>

void addKeyTextRows()
{
    QTest::newRow("zh_TW window title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("雁桥") << QStringLiteral("雁橋");
    QTest::newRow("zh_TW connect") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("连接") << QStringLiteral("連線");
    QTest::newRow("zh_TW disconnect") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("断开") << QStringLiteral("中斷");
    QTest::newRow("zh_TW open port") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("打开串口") << QStringLiteral("開啟序列埠");
    QTest::newRow("zh_TW close port") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("关闭串口") << QStringLiteral("關閉序列埠");
    QTest::newRow("zh_TW open") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("打开") << QStringLiteral("開啟");
    QTest::newRow("zh_TW close") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("关闭") << QStringLiteral("關閉");
    QTest::newRow("zh_TW send") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("发送") << QStringLiteral("傳送");
    QTest::newRow("zh_TW hex send") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("HEX发送") << QStringLiteral("HEX傳送");
    QTest::newRow("zh_TW hex display") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("HEX显示") << QStringLiteral("HEX顯示");
    QTest::newRow("zh_TW show time") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("显示时间") << QStringLiteral("顯示時間");
    QTest::newRow("zh_TW line per entry") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("换行显示") << QStringLiteral("換行顯示");
    QTest::newRow("zh_TW loop send") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("循环发送") << QStringLiteral("循環傳送");
    QTest::newRow("zh_TW clear") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("清空") << QStringLiteral("清除");
    QTest::newRow("zh_TW save") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("保存") << QStringLiteral("儲存");
    QTest::newRow("zh_TW received count") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("累计接收：") << QStringLiteral("累計接收：");
    QTest::newRow("zh_TW sent count") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("累计发送：") << QStringLiteral("累計傳送：");
    QTest::newRow("zh_TW hex error") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("HEX格式错误：%1") << QStringLiteral("HEX格式錯誤：%1");
    QTest::newRow("zh_TW received zero") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("累计接收：0") << QStringLiteral("累計接收：0");
    QTest::newRow("zh_TW parity") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("校验位 ") << QStringLiteral("同位元 ");
    QTest::newRow("zh_TW server title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("雁桥 - TCP服务器") << QStringLiteral("雁橋 - TCP伺服器");
    QTest::newRow("zh_TW serial title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("雁桥 - 串口") << QStringLiteral("雁橋 - 序列埠");
    QTest::newRow("zh_TW udp") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("UDP") << QStringLiteral("UDP");
    QTest::newRow("zh_TW ms") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("ms") << QStringLiteral("ms");
    QTest::newRow("zh_TW quit question") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确定要退出雁桥吗？") << QStringLiteral("確定要結束雁橋嗎？");
    QTest::newRow("zh_TW file name pattern") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("/yyyy年MM月dd日hh-mm-ss") << QStringLiteral("/yyyy年MM月dd日hh-mm-ss");
    QTest::newRow("zh_TW language name") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("English") << QStringLiteral("English");
    QTest::newRow("zh_TW reset title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确认重置") << QStringLiteral("確認重設");
    QTest::newRow("zh_TW reset question") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确定要重置所有设置并恢复初始状态吗？") << QStringLiteral("確定要重設所有設定並還原初始狀態嗎？");
    QTest::newRow("zh_TW reset done") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("所有设置已恢复为默认状态。") << QStringLiteral("所有設定已還原為預設狀態。");
    QTest::newRow("zh_TW too large") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("文件超过%1 MB，未载入") << QStringLiteral("檔案超過%1 MB，未載入");
    QTest::newRow("zh_TW about title") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("关于雁桥") << QStringLiteral("關於雁橋");
    QTest::newRow("zh_TW about heading") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("<h2>雁桥</h2>") << QStringLiteral("<h2>雁橋</h2>");
    QTest::newRow("zh_TW about version") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("版本: %1") << QStringLiteral("版本: %1");
    QTest::newRow("en_US window title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("雁桥") << QStringLiteral("Wrenpost");
    QTest::newRow("en_US connect") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("连接") << QStringLiteral("Connect");
    QTest::newRow("en_US disconnect") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("断开") << QStringLiteral("Disconnect");
    QTest::newRow("en_US open port") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("打开串口") << QStringLiteral("Open port");
    QTest::newRow("en_US close port") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("关闭串口") << QStringLiteral("Close port");
    QTest::newRow("en_US open") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("打开") << QStringLiteral("Open");
    QTest::newRow("en_US close") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("关闭") << QStringLiteral("Close");
    QTest::newRow("en_US send") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("发送") << QStringLiteral("Send");
    QTest::newRow("en_US hex send") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("HEX发送") << QStringLiteral("Hex send");
    QTest::newRow("en_US hex display") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("HEX显示") << QStringLiteral("Hex display");
    QTest::newRow("en_US show time") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("显示时间") << QStringLiteral("Show time");
    QTest::newRow("en_US line per entry") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("换行显示") << QStringLiteral("Line per entry");
    QTest::newRow("en_US loop send") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("循环发送") << QStringLiteral("Loop send");
    QTest::newRow("en_US clear") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("清空") << QStringLiteral("Clear");
    QTest::newRow("en_US save") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("保存") << QStringLiteral("Save");
    QTest::newRow("en_US received count") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("累计接收：") << QStringLiteral("Received: ");
    QTest::newRow("en_US sent count") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("累计发送：") << QStringLiteral("Sent: ");
    QTest::newRow("en_US hex error") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("HEX格式错误：%1") << QStringLiteral("Invalid hex: %1");
    QTest::newRow("en_US received zero") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("累计接收：0") << QStringLiteral("Received: 0");
    QTest::newRow("en_US parity") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("校验位 ") << QStringLiteral("Parity ");
    QTest::newRow("en_US server title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("雁桥 - TCP服务器") << QStringLiteral("Wrenpost - TCP server");
    QTest::newRow("en_US serial title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("雁桥 - 串口") << QStringLiteral("Wrenpost - Serial");
    QTest::newRow("en_US udp") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("UDP") << QStringLiteral("UDP");
    QTest::newRow("en_US ms") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("ms") << QStringLiteral("ms");
    QTest::newRow("en_US quit question") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确定要退出雁桥吗？") << QStringLiteral("Quit Wrenpost?");
    QTest::newRow("en_US file name pattern") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("/yyyy年MM月dd日hh-mm-ss") << QStringLiteral("/yyyy-MM-dd hh-mm-ss");
    QTest::newRow("en_US language name") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("English") << QStringLiteral("English");
    QTest::newRow("en_US reset title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确认重置") << QStringLiteral("Confirm reset");
    QTest::newRow("en_US reset question") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确定要重置所有设置并恢复初始状态吗？") << QStringLiteral("Reset all settings and restore the initial state?");
    QTest::newRow("en_US reset done") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("所有设置已恢复为默认状态。") << QStringLiteral("All settings have been restored to their defaults.");
    QTest::newRow("en_US too large") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("文件超过%1 MB，未载入") << QStringLiteral("The file is larger than %1 MB and was not loaded.");
    QTest::newRow("en_US about title") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("关于雁桥") << QStringLiteral("About Wrenpost");
    QTest::newRow("en_US about heading") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("<h2>雁桥</h2>") << QStringLiteral("<h2>Wrenpost</h2>");
    QTest::newRow("en_US about version") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("版本: %1") << QStringLiteral("Version: %1");
}
