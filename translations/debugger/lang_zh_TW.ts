<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="12"/>
        <source>关于雁桥</source>
        <translation>關於雁橋</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="13"/>
        <source>&lt;h2&gt;雁桥&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;雁橋&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="14"/>
        <source>版本: %1</source>
        <translation>版本: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="16"/>
        <source>支持TCP/UDP和串口协议的网络调试助手，具有消息收发、DNS解析等功能，适用于网络通信测试和开发调试。</source>
        <translation>支援TCP/UDP和序列埠協定的網路除錯助手，具有訊息收發、DNS解析等功能，適用於網路通訊測試和開發除錯。</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="18"/>
        <source>Copyright © 2025 QuillonLabs</source>
        <translation>Copyright © 2025 QuillonLabs</translation>
    </message>
    <message>
        <location filename="../../common/aboutdialog.cpp" line="39"/>
        <source>访问官方网站</source>
        <translation>造訪官方網站</translation>
    </message>
</context>
<context>
    <name>ChannelController</name>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="82"/>
        <source>连接失败：%1</source>
        <translation>連線失敗：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="87"/>
        <source>服务器已断开连接</source>
        <translation>伺服器已中斷連線</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="123"/>
        <source>服务器打开失败：%1</source>
        <translation>伺服器開啟失敗：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="147"/>
        <source>UDP打开失败：%1</source>
        <translation>UDP開啟失敗：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="175"/>
        <source>串口已断开</source>
        <translation>序列埠已中斷連線</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="175"/>
        <source>串口打开失败：%1</source>
        <translation>序列埠開啟失敗：%1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="12"/>
        <source>用法：%1 [选项]</source>
        <translation>用法：%1 [選項]</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="13"/>
        <source>雁桥，TCP/UDP 与串口调试助手。不带参数时打开窗口。</source>
        <translation>雁橋，TCP/UDP 與序列埠偵錯助手。不帶參數時開啟視窗。</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="14"/>
        <source>选项</source>
        <translation>選項</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="15"/>
        <source>显示本帮助并退出</source>
        <translation>顯示本說明並結束</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="16"/>
        <source>显示版本并退出</source>
        <translation>顯示版本並結束</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="17"/>
        <source>%1：无法识别的参数“%2”</source>
        <translation>%1：無法識別的參數「%2」</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="32"/>
        <location filename="../../debugger/window/mainwindow.ui" line="375"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="119"/>
        <source>雁桥</source>
        <translation>雁橋</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="157"/>
        <source>TCP客户端模式</source>
        <translation>TCP用戶端模式</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="160"/>
        <source>客户端</source>
        <translation>用戶端</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="200"/>
        <source>TCP服务端模式</source>
        <translation>TCP伺服器模式</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="203"/>
        <source>服务端</source>
        <translation>伺服器</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="243"/>
        <source>UDP模式</source>
        <translation>UDP模式</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="246"/>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="286"/>
        <source>串口模式</source>
        <translation>序列埠模式</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="289"/>
        <source>串口</source>
        <translation>序列埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="542"/>
        <source>连接设置</source>
        <translation>連線設定</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="566"/>
        <source>本机地址</source>
        <translation>本機位址</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="576"/>
        <source>本地端口</source>
        <translation>本機連接埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="586"/>
        <source>目标地址</source>
        <translation>目標位址</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="596"/>
        <source>目标端口</source>
        <translation>目標連接埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="606"/>
        <source>DNS解析</source>
        <translation>DNS解析</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="618"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="167"/>
        <source>连接</source>
        <translation>連線</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="212"/>
        <source>连接中…</source>
        <translation>連線中…</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="625"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="168"/>
        <source>断开</source>
        <translation>中斷</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="634"/>
        <source>客户端：</source>
        <translation>用戶端：</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="654"/>
        <source>踢除</source>
        <translation>踢除</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="664"/>
        <source>接收设置</source>
        <translation>接收設定</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="685"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1125"/>
        <source>显示时间</source>
        <translation>顯示時間</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="692"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1160"/>
        <source>换行显示</source>
        <translation>換行顯示</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="702"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1153"/>
        <source>HEX显示</source>
        <translation>HEX顯示</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="709"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1170"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="134"/>
        <source>记录到文件</source>
        <translation>記錄到檔案</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="719"/>
        <source>发送设置</source>
        <translation>傳送設定</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="740"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1132"/>
        <source>HEX发送</source>
        <translation>HEX傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="747"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1139"/>
        <source>发送换行</source>
        <translation>傳送換行</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="754"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1146"/>
        <source>显示发送</source>
        <translation>顯示傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="761"/>
        <source>UDP广播</source>
        <translation>UDP廣播</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="773"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1181"/>
        <source>循环发送</source>
        <translation>循環傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="787"/>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="814"/>
        <source>打开发送区</source>
        <translation>開啟傳送區</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="821"/>
        <source>保存接收区</source>
        <translation>儲存接收區</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="828"/>
        <source>一键重置</source>
        <translation>一鍵重設</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="847"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1245"/>
        <source>接收区</source>
        <translation>接收區</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="862"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1267"/>
        <source>发送区</source>
        <translation>傳送區</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="887"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1297"/>
        <source>发送</source>
        <translation>傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="904"/>
        <location filename="../../debugger/window/mainwindow_language.cpp" line="81"/>
        <location filename="../../debugger/window/mainwindow_language.cpp" line="84"/>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="103"/>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="187"/>
        <location filename="../../debugger/window/mainwindow_serial.cpp" line="99"/>
        <location filename="../../debugger/window/mainwindow_serial.cpp" line="178"/>
        <source>累计接收：</source>
        <translation>累計接收：</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="917"/>
        <location filename="../../debugger/window/mainwindow_language.cpp" line="83"/>
        <location filename="../../debugger/window/mainwindow_language.cpp" line="85"/>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="156"/>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="185"/>
        <location filename="../../debugger/window/mainwindow_serial.cpp" line="162"/>
        <location filename="../../debugger/window/mainwindow_serial.cpp" line="179"/>
        <source>累计发送：</source>
        <translation>累計傳送：</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="937"/>
        <source>累计清零</source>
        <translation>累計歸零</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="944"/>
        <source>清空消息</source>
        <translation>清除訊息</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1014"/>
        <source>串口号</source>
        <translation>序列埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1024"/>
        <source>波特率</source>
        <translation>鮑率</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1034"/>
        <source>数据位</source>
        <translation>資料位元</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1044"/>
        <source>停止位</source>
        <translation>停止位元</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1054"/>
        <source>校验位 </source>
        <translation>同位元 </translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1064"/>
        <source>流控制</source>
        <translation>流量控制</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1091"/>
        <source>关闭串口</source>
        <translation>關閉序列埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1098"/>
        <source>打开串口</source>
        <translation>開啟序列埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1188"/>
        <source>1000</source>
        <translation>1000</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1195"/>
        <source>周期(ms)</source>
        <translation>週期(ms)</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1206"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="199"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="200"/>
        <source>累计接收：0</source>
        <translation>累計接收：0</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1213"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="197"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="198"/>
        <source>累计发送：0</source>
        <translation>累計傳送：0</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1226"/>
        <source>清零</source>
        <translation>歸零</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1276"/>
        <source>清空</source>
        <translation>清除</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1283"/>
        <source>保存</source>
        <translation>儲存</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1290"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="167"/>
        <source>打开</source>
        <translation>開啟</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1318"/>
        <source>接收区字体</source>
        <translation>接收區字型</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1321"/>
        <source>Ctrl+F1</source>
        <translation>Ctrl+F1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1326"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1329"/>
        <source>发送区字体</source>
        <translation>傳送區字型</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1332"/>
        <source>Ctrl+F2</source>
        <translation>Ctrl+F2</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1337"/>
        <source>接收区字体颜色</source>
        <translation>接收區字型色彩</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1340"/>
        <source>Ctrl+F6</source>
        <translation>Ctrl+F6</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1345"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1348"/>
        <source>发送区字体颜色</source>
        <translation>傳送區字型色彩</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1351"/>
        <source>Ctrl+F7</source>
        <translation>Ctrl+F7</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1356"/>
        <source>打开至发送区</source>
        <translation>開啟至傳送區</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1359"/>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1364"/>
        <source>保存接收区记录</source>
        <translation>儲存接收區記錄</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1367"/>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1372"/>
        <source>DNS域名解析</source>
        <translation>DNS網域名稱解析</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1375"/>
        <source>Ctrl+H</source>
        <translation>Ctrl+H</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1380"/>
        <source>窗口背景颜色</source>
        <translation>視窗背景色彩</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1383"/>
        <source>Ctrl+F3</source>
        <translation>Ctrl+F3</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1388"/>
        <source>接收区背景颜色</source>
        <translation>接收區背景色彩</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1391"/>
        <source>Ctrl+F4</source>
        <translation>Ctrl+F4</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1396"/>
        <source>发送区背景颜色</source>
        <translation>傳送區背景色彩</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1399"/>
        <source>Ctrl+F5</source>
        <translation>Ctrl+F5</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1404"/>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1407"/>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="33"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="114"/>
        <source>雁桥 - TCP客户端</source>
        <translation>雁橋 - TCP用戶端</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="115"/>
        <source>雁桥 - TCP服务器</source>
        <translation>雁橋 - TCP伺服器</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="116"/>
        <source>雁桥 - UDP</source>
        <translation>雁橋 - UDP</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="117"/>
        <source>雁桥 - 串口</source>
        <translation>雁橋 - 序列埠</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="168"/>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="184"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="75"/>
        <source>提示！</source>
        <translation>提示！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="184"/>
        <source>不可用！</source>
        <translation>無法使用！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="189"/>
        <source>确认窗口</source>
        <translation>確認視窗</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="190"/>
        <source>确定退出吗？</source>
        <translation>確定要結束嗎？</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="29"/>
        <source>确认退出</source>
        <translation>確認結束</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="29"/>
        <source>确定要退出雁桥吗？</source>
        <translation>確定要結束雁橋嗎？</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="26"/>
        <source>域名解析结果</source>
        <translation>網域名稱解析結果</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="26"/>
        <source>解析失败，未找到相应IP</source>
        <translation>解析失敗，找不到對應的IP</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="44"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="26"/>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="45"/>
        <source>在目标地址写入域名，自动解析为IP地址并连接，如“</source>
        <translation>在目標位址填入網域名稱，即自動解析為IP位址並連線，如「</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="46"/>
        <source>”。若域名对应多个IP地址，默认使用第一个有效地址。仅TCP客户端模式下可用！</source>
        <translation>」。若網域名稱對應多個IP位址，預設使用第一個有效位址。僅限TCP用戶端模式使用！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_menu.cpp" line="26"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_menu.cpp" line="27"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_menu.cpp" line="28"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_menu.cpp" line="43"/>
        <source>特别提示</source>
        <translation>特別提示</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_menu.cpp" line="48"/>
        <source>关于雁桥​</source>
        <translation>關於雁橋​</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="145"/>
        <source>目标地址无效：%1</source>
        <translation>目標位址無效：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="152"/>
        <source>本机地址无效：%1</source>
        <translation>本機位址無效：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="179"/>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="179"/>
        <source>定时周期错误！</source>
        <translation>定時週期錯誤！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="154"/>
        <source>目标端口错误：请输入 1–65535 之间的整数</source>
        <translation>目標連接埠錯誤：請輸入 1–65535 之間的整數</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="186"/>
        <source>HEX格式错误：%1</source>
        <translation>HEX格式錯誤：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="238"/>
        <source>本地端口错误：请输入 0–65535 之间的整数（0 由系统选择）</source>
        <translation>本機連接埠錯誤：請輸入 0–65535 之間的整數（0 由系統選擇）</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="24"/>
        <source>请选择txt文件</source>
        <translation>請選擇txt檔案</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="26"/>
        <source>未选择文件</source>
        <translation>未選擇檔案</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="27"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="41"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="44"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="48"/>
        <source>错误：</source>
        <translation>錯誤：</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="41"/>
        <source>打开文件失败</source>
        <translation>開啟檔案失敗</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="45"/>
        <source>文件超过%1 MB，未载入</source>
        <translation>檔案超過%1 MB，未載入</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="48"/>
        <source>文件不是UTF-8编码的文本，未载入</source>
        <translation>檔案不是UTF-8編碼的文字，未載入</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="76"/>
        <source>文件位置：%1</source>
        <translation>檔案位置：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="104"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="165"/>
        <source>/yyyy年MM月dd日hh-mm-ss</source>
        <translation>/yyyy年MM月dd日hh-mm-ss</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="72"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="116"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="145"/>
        <source>错误！</source>
        <translation>錯誤！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="72"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="116"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="145"/>
        <source>写入文件失败！</source>
        <translation>寫入檔案失敗！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="75"/>
        <source>保存成功！</source>
        <translation>儲存成功！</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="154"/>
        <source>确认重置</source>
        <translation>確認重設</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="154"/>
        <source>确定要重置所有设置并恢复初始状态吗？</source>
        <translation>確定要重設所有設定並還原初始狀態嗎？</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="206"/>
        <source>重置完成</source>
        <translation>重設完成</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="206"/>
        <source>所有设置已恢复为默认状态。</source>
        <translation>所有設定已還原為預設狀態。</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_language.cpp" line="78"/>
        <location filename="../../debugger/window/mainwindow_serial.cpp" line="43"/>
        <source>设备路径</source>
        <translation>裝置路徑</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="391"/>
        <source>确定断开全部 %1 个客户端吗？</source>
        <translation>確定中斷全部 %1 個用戶端嗎？</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_quickcommands.cpp" line="97"/>
        <source>快捷指令“%1”</source>
        <translation>快捷指令「%1」</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_reconnect.cpp" line="29"/>
        <source>已重新连接</source>
        <translation>已重新連線</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_reconnect.cpp" line="54"/>
        <source>正在重连（第 %1 次）…</source>
        <translation>正在重新連線（第 %1 次）…</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="69"/>
        <source>校验和：</source>
        <translation>檢查碼：</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="70"/>
        <source>无</source>
        <translation>無</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="72"/>
        <source>自动重连</source>
        <translation>自動重新連線</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="73"/>
        <source>连接失败或服务器断开后，每 2 秒重试一次，直到连上或点击断开</source>
        <translation>連線失敗或伺服器中斷後，每 2 秒重試一次，直到連上或點擊中斷</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="98"/>
        <source>发送文件 %1，%2 字节</source>
        <translation>傳送檔案 %1，%2 位元組</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="102"/>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="102"/>
        <source>无法读取文件：%1</source>
        <translation>無法讀取檔案：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="135"/>
        <source>发送文件已停止：已写出 %1 / %2 字节</source>
        <translation>傳送檔案已停止：已寫出 %1 / %2 位元組</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="136"/>
        <source>发送文件中止：%1</source>
        <translation>傳送檔案中止：%1</translation>
    </message>
</context>
<context>
    <name>QuickCommandDialog</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="15"/>
        <source>HEX发送</source>
        <translation>HEX傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="16"/>
        <source>发送换行</source>
        <translation>傳送換行</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="20"/>
        <source>快捷指令</source>
        <translation>快捷指令</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="34"/>
        <source>名称：</source>
        <translation>名稱：</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="35"/>
        <source>内容：</source>
        <translation>內容：</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="38"/>
        <source>之后延时：</source>
        <translation>之後延遲：</translation>
    </message>
</context>
<context>
    <name>QuickCommandFile</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="115"/>
        <source>不是 UTF-8 文本</source>
        <translation>不是 UTF-8 文字</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="122"/>
        <source>缺少“=”</source>
        <translation>缺少「=」</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="134"/>
        <source>名称为空</source>
        <translation>名稱為空</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="140"/>
        <source>未知的键：%1</source>
        <translation>未知的鍵：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="145"/>
        <source>“%1”之前没有“name=”行</source>
        <translation>「%1」之前沒有「name=」行</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="149"/>
        <source>“%1”重复</source>
        <translation>「%1」重複</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="161"/>
        <source>延时应为 0 到 3600000 之间的整数</source>
        <translation>延遲應為 0 到 3600000 之間的整數</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="171"/>
        <source>“%1”应为 yes 或 no</source>
        <translation>「%1」應為 yes 或 no</translation>
    </message>
</context>
<context>
    <name>QuickCommandModel</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandmodel.cpp" line="20"/>
        <source>HEX发送</source>
        <translation>HEX傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandmodel.cpp" line="22"/>
        <source>发送换行</source>
        <translation>傳送換行</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandmodel.cpp" line="24"/>
        <source>之后延时 %1 ms</source>
        <translation>之後延遲 %1 ms</translation>
    </message>
</context>
<context>
    <name>QuickCommandPanel</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="128"/>
        <source>快捷指令</source>
        <translation>快捷指令</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="129"/>
        <source>添加</source>
        <translation>新增</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="130"/>
        <source>编辑</source>
        <translation>編輯</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="131"/>
        <source>删除</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="132"/>
        <source>上移</source>
        <translation>上移</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="133"/>
        <source>下移</source>
        <translation>下移</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="134"/>
        <source>导入</source>
        <translation>匯入</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="135"/>
        <source>导出</source>
        <translation>匯出</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="136"/>
        <source>按顺序发送</source>
        <translation>依序傳送</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="137"/>
        <source>循环</source>
        <translation>循環</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="138"/>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="139"/>
        <source>单击指令即发送；Ctrl+1 … Ctrl+9 发送前九条</source>
        <translation>單擊指令即傳送；Ctrl+1 … Ctrl+9 傳送前九條</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="207"/>
        <source>导入快捷指令</source>
        <translation>匯入快捷指令</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="208"/>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="236"/>
        <source>快捷指令文件 (*.txt);;所有文件 (*)</source>
        <translation>快捷指令檔案 (*.txt);;所有檔案 (*)</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="213"/>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="242"/>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="213"/>
        <source>无法打开文件：%1</source>
        <translation>無法開啟檔案：%1</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="220"/>
        <source>文件有误，未导入任何指令：</source>
        <translation>檔案有誤，未匯入任何指令：</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="222"/>
        <source>第 %1 行：%2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="224"/>
        <source>……另有 %1 处错误</source>
        <translation>……另有 %1 處錯誤</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="225"/>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="234"/>
        <source>导出快捷指令</source>
        <translation>匯出快捷指令</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="242"/>
        <source>无法保存文件：%1</source>
        <translation>無法儲存檔案：%1</translation>
    </message>
</context>
<context>
    <name>ReceiveDisplay</name>
    <message>
        <location filename="../../debugger/window/receivedisplay.cpp" line="420"/>
        <source>已清除较早的 %1 字节（勾选“记录到文件”可保存全部）</source>
        <translation>已清除較早的 %1 位元組（勾選“記錄到檔案”可儲存全部）</translation>
    </message>
</context>
<context>
    <name>TCP_Client</name>
    <message>
        <location filename="../../debugger/transports/tcp_client.cpp" line="13"/>
        <source>连接超时</source>
        <translation>連線逾時</translation>
    </message>
    <message>
        <location filename="../../debugger/transports/tcp_client.cpp" line="43"/>
        <source>地址无效</source>
        <translation>位址無效</translation>
    </message>
</context>
<context>
    <name>FileSendBar</name>
    <message>
        <location filename="../../debugger/window/filesendbar.cpp" line="28"/>
        <source>选择要发送的文件</source>
        <translation>選擇要傳送的檔案</translation>
    </message>
    <message>
        <location filename="../../debugger/window/filesendbar.cpp" line="69"/>
        <source>发送文件</source>
        <translation>傳送檔案</translation>
    </message>
    <message>
        <location filename="../../debugger/window/filesendbar.cpp" line="70"/>
        <source>停止</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>FileSender</name>
    <message>
        <location filename="../../debugger/window/filesender.cpp" line="15"/>
        <source>不是普通文件</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <location filename="../../debugger/window/filesender.cpp" line="60"/>
        <source>文件在发送中变短</source>
        <translation>檔案在傳送中變短</translation>
    </message>
</context>
<context>
    <name>SerialLinesPanel</name>
    <message>
        <location filename="../../debugger/window/seriallinespanel.cpp" line="105"/>
        <source>此设备没有控制线（如伪终端），DTR、RTS 不起作用</source>
        <translation>此裝置沒有控制線（如虛擬終端），DTR、RTS 不起作用</translation>
    </message>
    <message>
        <location filename="../../debugger/window/seriallinespanel.cpp" line="106"/>
        <source>亮：线路有效</source>
        <translation>亮：線路有效</translation>
    </message>
</context>
</TS>
