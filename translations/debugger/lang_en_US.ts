<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="12"/>
        <source>关于雁桥</source>
        <translation>About Wrenpost</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="13"/>
        <source>&lt;h2&gt;雁桥&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Wrenpost&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="14"/>
        <source>版本: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="16"/>
        <source>支持TCP/UDP和串口协议的网络调试助手，具有消息收发、DNS解析等功能，适用于网络通信测试和开发调试。</source>
        <translation>A network debugging assistant for TCP/UDP and serial ports, with message sending and receiving, DNS lookup and more, for testing and debugging network communication.</translation>
    </message>
    <message>
        <location filename="../../debugger/window/aboutproduct.cpp" line="18"/>
        <source>Copyright © 2025 QuillonLabs</source>
        <translation>Copyright © 2025 QuillonLabs</translation>
    </message>
    <message>
        <location filename="../../common/aboutdialog.cpp" line="39"/>
        <source>访问官方网站</source>
        <translation>Visit the official website</translation>
    </message>
</context>
<context>
    <name>ChannelController</name>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="82"/>
        <source>连接失败：%1</source>
        <translation>Connection failed: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="87"/>
        <source>服务器已断开连接</source>
        <translation>The server closed the connection</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="123"/>
        <source>服务器打开失败：%1</source>
        <translation>Server open failed: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="147"/>
        <source>UDP打开失败：%1</source>
        <translation>UDP open failed: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="175"/>
        <source>串口已断开</source>
        <translation>The serial port was disconnected</translation>
    </message>
    <message>
        <location filename="../../debugger/channels/channelcontroller.cpp" line="175"/>
        <source>串口打开失败：%1</source>
        <translation>Serial port open failed: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="12"/>
        <source>用法：%1 [选项]</source>
        <translation>Usage: %1 [options]</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="13"/>
        <source>雁桥，TCP/UDP 与串口调试助手。不带参数时打开窗口。</source>
        <translation>Wrenpost, a TCP/UDP and serial port debugging assistant. Opens its window when started without arguments.</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="14"/>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="15"/>
        <source>显示本帮助并退出</source>
        <translation>Show this help and exit</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="16"/>
        <source>显示版本并退出</source>
        <translation>Show the version and exit</translation>
    </message>
    <message>
        <location filename="../../debugger/window/programidentity.cpp" line="17"/>
        <source>%1：无法识别的参数“%2”</source>
        <translation>%1: unknown argument "%2"</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="32"/>
        <location filename="../../debugger/window/mainwindow.ui" line="375"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="119"/>
        <source>雁桥</source>
        <translation>Wrenpost</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="157"/>
        <source>TCP客户端模式</source>
        <translation>TCP client mode</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="160"/>
        <source>客户端</source>
        <translation>Client</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="200"/>
        <source>TCP服务端模式</source>
        <translation>TCP server mode</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="203"/>
        <source>服务端</source>
        <translation>Server</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="243"/>
        <source>UDP模式</source>
        <translation>UDP mode</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="246"/>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="286"/>
        <source>串口模式</source>
        <translation>Serial mode</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="289"/>
        <source>串口</source>
        <translation>Serial</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="542"/>
        <source>连接设置</source>
        <translation>Connection</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="566"/>
        <source>本机地址</source>
        <translation>Local address</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="576"/>
        <source>本地端口</source>
        <translation>Local port</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="586"/>
        <source>目标地址</source>
        <translation>Remote address</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="596"/>
        <source>目标端口</source>
        <translation>Remote port</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="606"/>
        <source>DNS解析</source>
        <translation>DNS lookup</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="618"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="167"/>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="212"/>
        <source>连接中…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="625"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="168"/>
        <source>断开</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="634"/>
        <source>客户端：</source>
        <translation>Clients: </translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="654"/>
        <source>踢除</source>
        <translation>Kick</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="664"/>
        <source>接收设置</source>
        <translation>Receive</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="685"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1125"/>
        <source>显示时间</source>
        <translation>Show time</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="692"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1160"/>
        <source>换行显示</source>
        <translation>Line per entry</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="702"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1153"/>
        <source>HEX显示</source>
        <translation>Hex display</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="709"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1170"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="134"/>
        <source>记录到文件</source>
        <translation>Record to file</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="719"/>
        <source>发送设置</source>
        <translation>Send</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="740"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1132"/>
        <source>HEX发送</source>
        <translation>Hex send</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="747"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1139"/>
        <source>发送换行</source>
        <translation>Send newline</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="754"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1146"/>
        <source>显示发送</source>
        <translation>Show sent</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="761"/>
        <source>UDP广播</source>
        <translation>UDP broadcast</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="773"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1181"/>
        <source>循环发送</source>
        <translation>Loop send</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="787"/>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="814"/>
        <source>打开发送区</source>
        <translation>Open file</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="821"/>
        <source>保存接收区</source>
        <translation>Save log</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="828"/>
        <source>一键重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="847"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1245"/>
        <source>接收区</source>
        <translation>Receive area</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="862"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1267"/>
        <source>发送区</source>
        <translation>Send area</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="887"/>
        <location filename="../../debugger/window/mainwindow.ui" line="1297"/>
        <source>发送</source>
        <translation>Send</translation>
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
        <translation>Received: </translation>
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
        <translation>Sent: </translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="937"/>
        <source>累计清零</source>
        <translation>Reset counts</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="944"/>
        <source>清空消息</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1014"/>
        <source>串口号</source>
        <translation>Port</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1024"/>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1034"/>
        <source>数据位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1044"/>
        <source>停止位</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1054"/>
        <source>校验位 </source>
        <translation>Parity </translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1064"/>
        <source>流控制</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1091"/>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1098"/>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1188"/>
        <source>1000</source>
        <translation>1000</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1195"/>
        <source>周期(ms)</source>
        <translation>Period (ms)</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1206"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="199"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="200"/>
        <source>累计接收：0</source>
        <translation>Received: 0</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1213"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="197"/>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="198"/>
        <source>累计发送：0</source>
        <translation>Sent: 0</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1226"/>
        <source>清零</source>
        <translation>Zero</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1276"/>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1283"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1290"/>
        <location filename="../../debugger/window/mainwindow.cpp" line="167"/>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1318"/>
        <source>接收区字体</source>
        <translation>Receive area font</translation>
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
        <translation>Send area font</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1332"/>
        <source>Ctrl+F2</source>
        <translation>Ctrl+F2</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1337"/>
        <source>接收区字体颜色</source>
        <translation>Receive area text color</translation>
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
        <translation>Send area text color</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1351"/>
        <source>Ctrl+F7</source>
        <translation>Ctrl+F7</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1356"/>
        <source>打开至发送区</source>
        <translation>Open into send area</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1359"/>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1364"/>
        <source>保存接收区记录</source>
        <translation>Save received log</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1367"/>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1372"/>
        <source>DNS域名解析</source>
        <translation>DNS lookup</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1375"/>
        <source>Ctrl+H</source>
        <translation>Ctrl+H</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1380"/>
        <source>窗口背景颜色</source>
        <translation>Window background color</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1383"/>
        <source>Ctrl+F3</source>
        <translation>Ctrl+F3</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1388"/>
        <source>接收区背景颜色</source>
        <translation>Receive area background color</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1391"/>
        <source>Ctrl+F4</source>
        <translation>Ctrl+F4</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1396"/>
        <source>发送区背景颜色</source>
        <translation>Send area background color</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1399"/>
        <source>Ctrl+F5</source>
        <translation>Ctrl+F5</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.ui" line="1404"/>
        <source>关于</source>
        <translation>About</translation>
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
        <translation>Wrenpost - TCP client</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="115"/>
        <source>雁桥 - TCP服务器</source>
        <translation>Wrenpost - TCP server</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="116"/>
        <source>雁桥 - UDP</source>
        <translation>Wrenpost - UDP</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="117"/>
        <source>雁桥 - 串口</source>
        <translation>Wrenpost - Serial</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="168"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="184"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="75"/>
        <source>提示！</source>
        <translation>Notice!</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="184"/>
        <source>不可用！</source>
        <translation>Not available!</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="189"/>
        <source>确认窗口</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="190"/>
        <source>确定退出吗？</source>
        <translation>Quit now?</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="29"/>
        <source>确认退出</source>
        <translation>Confirm exit</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow.cpp" line="29"/>
        <source>确定要退出雁桥吗？</source>
        <translation>Quit Wrenpost?</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="26"/>
        <source>域名解析结果</source>
        <translation>DNS lookup result</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="26"/>
        <source>解析失败，未找到相应IP</source>
        <translation>Lookup failed: no matching IP found</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="44"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="26"/>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="45"/>
        <source>在目标地址写入域名，自动解析为IP地址并连接，如“</source>
        <translation>Enter a domain name as the remote address to resolve it to an IP address and connect, e.g. &quot;</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_dns.cpp" line="46"/>
        <source>”。若域名对应多个IP地址，默认使用第一个有效地址。仅TCP客户端模式下可用！</source>
        <translation>&quot;. If the name has several IP addresses, the first valid one is used. TCP client mode only!</translation>
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
        <translation>Tips</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_menu.cpp" line="48"/>
        <source>关于雁桥​</source>
        <translation>About Wrenpost​</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="145"/>
        <source>目标地址无效：%1</source>
        <translation>Invalid remote address: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="152"/>
        <source>本机地址无效：%1</source>
        <translation>Invalid local address: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="179"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="179"/>
        <source>定时周期错误！</source>
        <translation>Invalid period!</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="154"/>
        <source>目标端口错误：请输入 1–65535 之间的整数</source>
        <translation>Invalid remote port: enter a whole number from 1 to 65535</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="186"/>
        <source>HEX格式错误：%1</source>
        <translation>Invalid hex: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="238"/>
        <source>本地端口错误：请输入 0–65535 之间的整数（0 由系统选择）</source>
        <translation>Invalid local port: enter a whole number from 0 to 65535 (0 lets the system choose)</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="24"/>
        <source>请选择txt文件</source>
        <translation>Choose a txt file</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="26"/>
        <source>未选择文件</source>
        <translation>No file chosen</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="27"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="41"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="44"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="48"/>
        <source>错误：</source>
        <translation>Error: </translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="41"/>
        <source>打开文件失败</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="45"/>
        <source>文件超过%1 MB，未载入</source>
        <translation>The file is larger than %1 MB and was not loaded.</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="48"/>
        <source>文件不是UTF-8编码的文本，未载入</source>
        <translation>The file is not UTF-8 text and was not loaded.</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="76"/>
        <source>文件位置：%1</source>
        <translation>File location: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="104"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="165"/>
        <source>/yyyy年MM月dd日hh-mm-ss</source>
        <translation>/yyyy-MM-dd hh-mm-ss</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="72"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="116"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="145"/>
        <source>错误！</source>
        <translation>Error!</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="72"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="116"/>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="145"/>
        <source>写入文件失败！</source>
        <translation>Cannot write the file!</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_files.cpp" line="75"/>
        <source>保存成功！</source>
        <translation>Saved!</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="154"/>
        <source>确认重置</source>
        <translation>Confirm reset</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="154"/>
        <source>确定要重置所有设置并恢复初始状态吗？</source>
        <translation>Reset all settings and restore the initial state?</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="206"/>
        <source>重置完成</source>
        <translation>Reset complete</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_settings.cpp" line="206"/>
        <source>所有设置已恢复为默认状态。</source>
        <translation>All settings have been restored to their defaults.</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_language.cpp" line="78"/>
        <location filename="../../debugger/window/mainwindow_serial.cpp" line="43"/>
        <source>设备路径</source>
        <translation>Device path</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_network.cpp" line="391"/>
        <source>确定断开全部 %1 个客户端吗？</source>
        <translation>Disconnect all %1 clients?</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_quickcommands.cpp" line="97"/>
        <source>快捷指令“%1”</source>
        <translation>Quick command "%1"</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_reconnect.cpp" line="29"/>
        <source>已重新连接</source>
        <translation>Connected again</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_reconnect.cpp" line="54"/>
        <source>正在重连（第 %1 次）…</source>
        <translation>Reconnecting (attempt %1)…</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="69"/>
        <source>校验和：</source>
        <translation>Checksum: </translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="70"/>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="72"/>
        <source>自动重连</source>
        <translation>Auto reconnect</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendextras.cpp" line="73"/>
        <source>连接失败或服务器断开后，每 2 秒重试一次，直到连上或点击断开</source>
        <translation>After a failed connection or a server close, tries again every 2 s until connected or Disconnect is clicked</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="98"/>
        <source>发送文件 %1，%2 字节</source>
        <translation>Sent file %1, %2 bytes</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="102"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="102"/>
        <source>无法读取文件：%1</source>
        <translation>Cannot read the file: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="135"/>
        <source>发送文件已停止：已写出 %1 / %2 字节</source>
        <translation>File send stopped: %1 / %2 bytes written</translation>
    </message>
    <message>
        <location filename="../../debugger/window/mainwindow_sendfile.cpp" line="136"/>
        <source>发送文件中止：%1</source>
        <translation>File send aborted: %1</translation>
    </message>
</context>
<context>
    <name>QuickCommandDialog</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="15"/>
        <source>HEX发送</source>
        <translation>Hex send</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="16"/>
        <source>发送换行</source>
        <translation>Send newline</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="20"/>
        <source>快捷指令</source>
        <translation>Quick commands</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="34"/>
        <source>名称：</source>
        <translation>Name: </translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="35"/>
        <source>内容：</source>
        <translation>Content: </translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommanddialog.cpp" line="38"/>
        <source>之后延时：</source>
        <translation>Delay after: </translation>
    </message>
</context>
<context>
    <name>QuickCommandFile</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="115"/>
        <source>不是 UTF-8 文本</source>
        <translation>not UTF-8 text</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="122"/>
        <source>缺少“=”</source>
        <translation>"=" missing</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="134"/>
        <source>名称为空</source>
        <translation>empty name</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="140"/>
        <source>未知的键：%1</source>
        <translation>unknown key: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="145"/>
        <source>“%1”之前没有“name=”行</source>
        <translation>"%1" before any "name=" line</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="149"/>
        <source>“%1”重复</source>
        <translation>"%1" given twice</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="161"/>
        <source>延时应为 0 到 3600000 之间的整数</source>
        <translation>the delay must be a whole number from 0 to 3600000</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandfile.cpp" line="171"/>
        <source>“%1”应为 yes 或 no</source>
        <translation>"%1" must be yes or no</translation>
    </message>
</context>
<context>
    <name>QuickCommandModel</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandmodel.cpp" line="20"/>
        <source>HEX发送</source>
        <translation>Hex send</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandmodel.cpp" line="22"/>
        <source>发送换行</source>
        <translation>Send newline</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandmodel.cpp" line="24"/>
        <source>之后延时 %1 ms</source>
        <translation>then %1 ms delay</translation>
    </message>
</context>
<context>
    <name>QuickCommandPanel</name>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="128"/>
        <source>快捷指令</source>
        <translation>Quick commands</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="129"/>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="130"/>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="131"/>
        <source>删除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="132"/>
        <source>上移</source>
        <translation>Up</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="133"/>
        <source>下移</source>
        <translation>Down</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="134"/>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="135"/>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="136"/>
        <source>按顺序发送</source>
        <translation>Send in order</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="137"/>
        <source>循环</source>
        <translation>Loop</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="138"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="139"/>
        <source>单击指令即发送；Ctrl+1 … Ctrl+9 发送前九条</source>
        <translation>One click sends a command; Ctrl+1 … Ctrl+9 send the first nine</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="207"/>
        <source>导入快捷指令</source>
        <translation>Import quick commands</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="208"/>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="236"/>
        <source>快捷指令文件 (*.txt);;所有文件 (*)</source>
        <translation>Quick command files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="213"/>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="242"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="213"/>
        <source>无法打开文件：%1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="220"/>
        <source>文件有误，未导入任何指令：</source>
        <translation>The file has mistakes; no command was imported: </translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="222"/>
        <source>第 %1 行：%2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="224"/>
        <source>……另有 %1 处错误</source>
        <translation>… and %1 more mistakes</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="225"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="234"/>
        <source>导出快捷指令</source>
        <translation>Export quick commands</translation>
    </message>
    <message>
        <location filename="../../debugger/quickcommands/quickcommandpanel.cpp" line="242"/>
        <source>无法保存文件：%1</source>
        <translation>Cannot save the file: %1</translation>
    </message>
</context>
<context>
    <name>ReceiveDisplay</name>
    <message>
        <location filename="../../debugger/window/receivedisplay.cpp" line="420"/>
        <source>已清除较早的 %1 字节（勾选“记录到文件”可保存全部）</source>
        <translation>Older %1 bytes were cleared (tick “Record to file” to keep everything)</translation>
    </message>
</context>
<context>
    <name>TCP_Client</name>
    <message>
        <location filename="../../debugger/transports/tcp_client.cpp" line="13"/>
        <source>连接超时</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <location filename="../../debugger/transports/tcp_client.cpp" line="43"/>
        <source>地址无效</source>
        <translation>Invalid address</translation>
    </message>
</context>
<context>
    <name>FileSendBar</name>
    <message>
        <location filename="../../debugger/window/filesendbar.cpp" line="28"/>
        <source>选择要发送的文件</source>
        <translation>Choose a file to send</translation>
    </message>
    <message>
        <location filename="../../debugger/window/filesendbar.cpp" line="69"/>
        <source>发送文件</source>
        <translation>Send file</translation>
    </message>
    <message>
        <location filename="../../debugger/window/filesendbar.cpp" line="70"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>FileSender</name>
    <message>
        <location filename="../../debugger/window/filesender.cpp" line="15"/>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <location filename="../../debugger/window/filesender.cpp" line="60"/>
        <source>文件在发送中变短</source>
        <translation>the file became shorter while it was being sent</translation>
    </message>
</context>
<context>
    <name>SerialLinesPanel</name>
    <message>
        <location filename="../../debugger/window/seriallinespanel.cpp" line="105"/>
        <source>此设备没有控制线（如伪终端），DTR、RTS 不起作用</source>
        <translation>This device has no control lines (a pseudo-terminal, for example); DTR and RTS do nothing</translation>
    </message>
    <message>
        <location filename="../../debugger/window/seriallinespanel.cpp" line="106"/>
        <source>亮：线路有效</source>
        <translation>Lit: the line is raised</translation>
    </message>
</context>
</TS>
