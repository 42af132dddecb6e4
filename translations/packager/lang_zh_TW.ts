<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="12"/>
        <source>关于匣坊</source>
        <translation>關於匣坊</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="13"/>
        <source>&lt;h2&gt;匣坊&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;匣坊&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="14"/>
        <source>版本: %1</source>
        <translation>版本: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="16"/>
        <source>一款简单易用的单文件程序制作工具，提供向导式操作界面，支持多种压缩方式，可自定义输出目录，轻松制作高效单文件程序。</source>
        <translation>一款簡單易用的單一檔案程式製作工具，提供精靈式操作介面，支援多種壓縮方式，可自訂輸出目錄，輕鬆製作高效的單一檔案程式。</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="18"/>
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
    <name>CommandLine</name>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="12"/>
        <source>用法：%1 [选项]</source>
        <translation>用法：%1 [選項]</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="13"/>
        <source>匣坊，单文件程序制作工具。不带参数时打开窗口。</source>
        <translation>匣坊，單一檔案程式製作工具。不帶參數時開啟視窗。</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="14"/>
        <source>选项</source>
        <translation>選項</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="15"/>
        <source>显示本帮助并退出</source>
        <translation>顯示本說明並結束</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="16"/>
        <source>显示版本并退出</source>
        <translation>顯示版本並結束</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="17"/>
        <source>%1：无法识别的参数“%2”</source>
        <translation>%1：無法識別的參數「%2」</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="18"/>
        <source>不打开窗口制作产品（选项见 crateforge pack --help）：
  crateforge pack 源文件夹 [选项]   用窗口的引擎制作产品，产品路径输出到标准输出

查看产品而不运行它：
  crateforge list 产品              列出每个文件及其大小和权限
  crateforge check 产品             校验配置块、压缩包头和每个文件的校验和
  crateforge extract 产品 文件夹    按产品自身的规则解压到文件夹
  crateforge info 产品              标题、主程序、标识、压缩包大小和图标
</source>
        <translation>不開啟視窗製作產品（選項見 crateforge pack --help）：
  crateforge pack 來源資料夾 [選項]   以視窗的引擎製作產品，產品路徑輸出到標準輸出

檢視產品而不執行它：
  crateforge list 產品              列出每個檔案及其大小和權限
  crateforge check 產品             校驗設定區塊、壓縮檔標頭和每個檔案的校驗和
  crateforge extract 產品 資料夾    依產品自身的規則解壓縮到資料夾
  crateforge info 產品              標題、主程式、標識、壓縮檔大小和圖示
</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="14"/>
        <location filename="../../packager/window/mainwindow.ui" line="232"/>
        <source>匣坊</source>
        <translation>匣坊</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="118"/>
        <source>基础</source>
        <translation>基礎</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="145"/>
        <source>配置</source>
        <translation>設定</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="340"/>
        <source>源文件夹</source>
        <translation>來源資料夾</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="350"/>
        <location filename="../../packager/window/mainwindow.ui" line="367"/>
        <location filename="../../packager/window/mainwindow.ui" line="384"/>
        <location filename="../../packager/window/mainwindow.ui" line="504"/>
        <source>选择</source>
        <translation>選擇</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="357"/>
        <source>输出位置</source>
        <translation>輸出位置</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="374"/>
        <source>主程序</source>
        <translation>主程式</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="400"/>
        <source>开始制作</source>
        <translation>開始製作</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="494"/>
        <source>程序图标</source>
        <translation>程式圖示</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="511"/>
        <source>压缩级别</source>
        <translation>壓縮等級</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="522"/>
        <source>存储</source>
        <translation>儲存</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="527"/>
        <source>最快</source>
        <translation>最快</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="532"/>
        <source>快速</source>
        <translation>快速</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="537"/>
        <source>标准</source>
        <translation>標準</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="542"/>
        <source>最大</source>
        <translation>最大</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="547"/>
        <source>极限</source>
        <translation>極限</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="555"/>
        <source>压缩方法</source>
        <translation>壓縮方法</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="566"/>
        <source>LZMA</source>
        <translation>LZMA</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="571"/>
        <source>LZMA2</source>
        <translation>LZMA2</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="579"/>
        <source>字典大小</source>
        <translation>字典大小</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="590"/>
        <source>64 KB</source>
        <translation>64 KB</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="595"/>
        <source>1 MB</source>
        <translation>1 MB</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="600"/>
        <source>16 MB</source>
        <translation>16 MB</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="605"/>
        <source>32 MB</source>
        <translation>32 MB</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="610"/>
        <source>64 MB</source>
        <translation>64 MB</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="651"/>
        <source>完成后清理临时文件</source>
        <translation>完成後清除暫存檔案</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="667"/>
        <source>解压到临时目录</source>
        <translation>解壓縮到暫存目錄</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="683"/>
        <source>以管理员权限运行</source>
        <translation>以系統管理員權限執行</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="699"/>
        <source>加密文件内容</source>
        <translation>加密檔案內容</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="724"/>
        <source>一键重置</source>
        <translation>一鍵重設</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="47"/>
        <source>确认退出</source>
        <translation>確認結束</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="48"/>
        <source>确定要退出 匣坊 吗？</source>
        <translation>確定要結束 匣坊 嗎？</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="47"/>
        <source>正在制作便携应用。退出将停止制作，并删除未完成的文件。
确定要退出 匣坊 吗？</source>
        <translation>正在製作可攜式應用程式。結束將停止製作，並刪除未完成的檔案。
確定要結束 匣坊 嗎？</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="97"/>
        <source>选择源文件夹</source>
        <translation>選擇來源資料夾</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="119"/>
        <source>选择输出目录</source>
        <translation>選擇輸出目錄</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="131"/>
        <location filename="../../packager/window/mainwindow.cpp" line="147"/>
        <location filename="../../packager/window/mainwindow.cpp" line="154"/>
        <location filename="../../packager/window/mainwindow.cpp" line="252"/>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="131"/>
        <source>请先选择源文件夹！</source>
        <translation>請先選擇來源資料夾！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="142"/>
        <source>选择主程序</source>
        <translation>選擇主程式</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="136"/>
        <source>可执行文件 (*.exe)</source>
        <translation>可執行檔 (*.exe)</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="155"/>
        <source>“%1”不是可执行程序。
主程序须是 .exe 文件，或带有执行权限的 ELF 程序或以 #! 开头的脚本。</source>
        <translation>「%1」不是可執行程式。
主程式須是 .exe 檔案，或帶有執行權限的 ELF 程式或以 #! 開頭的指令稿。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="147"/>
        <source>选择的主程序必须在源文件夹内！</source>
        <translation>選擇的主程式必須位於來源資料夾內！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="178"/>
        <source>选择图标文件</source>
        <translation>選擇圖示檔案</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="178"/>
        <source>图标文件 (*.ico)</source>
        <translation>圖示檔案 (*.ico)</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="180"/>
        <source>图标文件 (*.ico *.png *.svg *.jpg *.jpeg)</source>
        <translation>圖示檔案 (*.ico *.png *.svg *.jpg *.jpeg)</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="235"/>
        <source>图标文件不是可用的图片：
%1
请选择 .ico、.png、.svg 或 .jpg 图片。</source>
        <translation>圖示檔案不是可用的圖片：
%1
請選擇 .ico、.png、.svg 或 .jpg 圖片。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="244"/>
        <source>无法读取源文件夹！
%1
%2</source>
        <translation>無法讀取來源資料夾！
%1
%2</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="170"/>
        <source>停止制作</source>
        <translation>停止製作</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="186"/>
        <location filename="../../packager/window/mainwindow_run.cpp" line="21"/>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="186"/>
        <source>无法加载图标文件！</source>
        <translation>無法載入圖示檔案！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="227"/>
        <source>请选择源文件夹！</source>
        <translation>請選擇來源資料夾！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="230"/>
        <source>源文件夹不存在！
%1</source>
        <translation>來源資料夾不存在！
%1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="233"/>
        <source>请选择主程序！</source>
        <translation>請選擇主程式！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="236"/>
        <source>选择的主程序不存在于源文件夹中！
请重新选择主程序。</source>
        <translation>選擇的主程式不在來源資料夾中！
請重新選擇主程式。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="239"/>
        <source>输出路径必须是一个目录（例如 C:/Output）！</source>
        <translation>輸出路徑必須是一個目錄（例如 C:/Output）！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="242"/>
        <source>无法写入输出目录！
%1
%2</source>
        <translation>無法寫入輸出目錄！
%1
%2</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="245"/>
        <source>制作出的程序会覆盖源文件夹中的文件：
%1
请选择源文件夹以外的输出目录。</source>
        <translation>製作出的程式會覆寫來源資料夾中的檔案：
%1
請選擇來源資料夾以外的輸出目錄。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="248"/>
        <source>输出目录不能是源文件夹或其中的文件夹，否则制作出的程序会被打包进下一个程序。
请选择源文件夹以外的输出目录。</source>
        <translation>輸出目錄不能是來源資料夾或其中的資料夾，否則製作出的程式會被打包進下一個程式。
請選擇來源資料夾以外的輸出目錄。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="15"/>
        <source>输入验证失败，操作中止</source>
        <translation>輸入驗證失敗，操作已中止</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="21"/>
        <source>主程序不存在：%1</source>
        <translation>主程式不存在：%1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="35"/>
        <source>调试信息:</source>
        <translation>偵錯資訊:</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="36"/>
        <source>源文件夹: %1</source>
        <translation>來源資料夾: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="37"/>
        <source>主程序: %1</source>
        <translation>主程式: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="38"/>
        <source>输出目录: %1</source>
        <translation>輸出目錄: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="39"/>
        <source>图标路径: %1</source>
        <translation>圖示路徑: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="58"/>
        <source>注意：“完成后清理临时文件”未生效，程序结束后解压出的文件仍留在临时目录中。</source>
        <translation>注意：「完成後清除暫存檔案」未生效，程式結束後解壓縮出的檔案仍會留在暫存資料夾中。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="60"/>
        <source>注意：“以管理员权限运行”未生效，制作出的程序以当前用户的权限运行。</source>
        <translation>注意：「以系統管理員權限執行」未生效，製作出的程式以目前使用者的權限執行。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="62"/>
        <source>注意：“加密文件内容”未生效，制作出的程序中的文件没有加密。</source>
        <translation>注意：「加密檔案內容」未生效，製作出的程式中的檔案並未加密。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="83"/>
        <source>完成</source>
        <translation>完成</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="83"/>
        <source>便携应用创建成功！</source>
        <translation>可攜式應用程式建立成功！</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="22"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="23"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="24"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="83"/>
        <source>重置确认</source>
        <translation>確認重設</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="83"/>
        <source>确定要将所有设置恢复为默认值吗？
此操作无法撤销。</source>
        <translation>確定要將所有設定還原為預設值嗎？
此操作無法復原。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="108"/>
        <source>重置成功</source>
        <translation>重設完成</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="108"/>
        <source>所有设置已恢复为默认值。</source>
        <translation>所有設定已還原為預設值。</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="166"/>
        <source>关于匣坊</source>
        <translation>關於匣坊</translation>
    </message>
</context>
<context>
    <name>PackCommand</name>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="43"/>
        <source>用法：crateforge pack 源文件夹 [--main 主程序] [--output 文件夹] [--icon 文件] [--level %1] [--method %2] [--dictionary %3] [--quiet]</source>
        <translation>用法：crateforge pack 來源資料夾 [--main 主程式] [--output 資料夾] [--icon 檔案] [--level %1] [--method %2] [--dictionary %3] [--quiet]</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="155"/>
        <source>缺少源文件夹</source>
        <translation>缺少來源資料夾</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="157"/>
        <source>多余的参数“%1”</source>
        <translation>多餘的參數「%1」</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="174"/>
        <source>“--%1”的值“%2”无效</source>
        <translation>「--%1」的值「%2」無效</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="186"/>
        <source>源文件夹中没有主程序：%1</source>
        <translation>來源資料夾中沒有主程式：%1</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="188"/>
        <source>源文件夹中有多个同样可能的主程序，请用 --main 选择其一：</source>
        <translation>來源資料夾中有多個同樣可能的主程式，請用 --main 選擇其一：</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="205"/>
        <source>无法在临时目录中创建工作文件夹：%1</source>
        <translation>無法在暫存目錄中建立工作資料夾：%1</translation>
    </message>
</context>
<context>
    <name>Worker</name>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="97"/>
        <source>错误：</source>
        <translation>錯誤：</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="100"/>
        <source>错误：制作失败：%1</source>
        <translation>錯誤：製作失敗：%1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="109"/>
        <source>开始创建便携应用...</source>
        <translation>開始建立可攜式應用程式...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="110"/>
        <source>源文件夹: %1</source>
        <translation>來源資料夾: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="111"/>
        <source>主程序: %1</source>
        <translation>主程式: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="112"/>
        <source>输出目录: %1</source>
        <translation>輸出目錄: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="113"/>
        <source>压缩级别: %1</source>
        <translation>壓縮等級: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="114"/>
        <source>压缩方法: %1</source>
        <translation>壓縮方法: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="115"/>
        <source>字典大小: %1</source>
        <translation>字典大小: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="120"/>
        <source>源文件夹中的所有EXE文件:</source>
        <translation>來源資料夾中的所有程式:</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="125"/>
        <source>用户选择的主程序: %1</source>
        <translation>使用者選擇的主程式: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="128"/>
        <source>错误：源文件夹不存在</source>
        <translation>錯誤：來源資料夾不存在</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="133"/>
        <source>错误：无法读取源文件夹: %1，原因: %2</source>
        <translation>錯誤：無法讀取來源資料夾: %1，原因: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="138"/>
        <source>错误：主程序 %1 不存在于源文件夹中</source>
        <translation>錯誤：主程式 %1 不在來源資料夾中</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="139"/>
        <source>完整路径: %1</source>
        <translation>完整路徑: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="140"/>
        <source>源文件夹中的文件列表:</source>
        <translation>來源資料夾中的檔案清單:</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="146"/>
        <source>主程序路径验证成功: %1</source>
        <translation>主程式路徑驗證成功: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="158"/>
        <source>错误：无法复制7zr.exe到临时目录</source>
        <translation>錯誤：無法將7zr.exe複製到暫存目錄</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="162"/>
        <source>7zr.exe已复制到临时目录</source>
        <translation>7zr.exe已複製到暫存目錄</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="170"/>
        <source>错误：工作目录不存在或不安全: %1</source>
        <translation>錯誤：工作目錄不存在或不安全: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="177"/>
        <source>错误：无法删除旧的压缩包: %1</source>
        <translation>錯誤：無法刪除舊的壓縮檔: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="189"/>
        <source>7z报告：%1</source>
        <translation>7z回報：%1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="194"/>
        <source>压缩包创建成功</source>
        <translation>壓縮檔建立成功</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="195"/>
        <source>压缩包大小: %1 字节</source>
        <translation>壓縮檔大小: %1 位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="212"/>
        <source>错误：无法复制链接指向的内容: %1</source>
        <translation>錯誤：無法複製連結指向的內容: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="229"/>
        <source>执行命令: %1 %2</source>
        <translation>執行命令: %1 %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="245"/>
        <source>错误：无法启动7z.exe，路径: %1</source>
        <translation>錯誤：無法啟動壓縮程式，路徑: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="246"/>
        <source>错误详情: %1</source>
        <translation>錯誤詳情: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="254"/>
        <source>7z进程已启动，开始压缩...</source>
        <translation>壓縮程式已啟動，開始壓縮...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="274"/>
        <source>错误：7z进程超过%1秒没有结束，已终止</source>
        <translation>錯誤：壓縮程式超過%1秒沒有結束，已終止</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="293"/>
        <source>7z错误输出: %1</source>
        <translation>壓縮程式錯誤輸出: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="294"/>
        <source>7z退出代码: %1</source>
        <translation>壓縮程式結束代碼: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="306"/>
        <source>错误：无法复制SFX模块</source>
        <translation>錯誤：無法複製自解壓模組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="312"/>
        <source>错误：无法创建输出文件: %1</source>
        <translation>錯誤：無法建立輸出檔案: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="325"/>
        <source>写入错误: %1</source>
        <translation>寫入錯誤: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="326"/>
        <source>无法写入输出文件 %1: %2</source>
        <translation>無法寫入輸出檔案 %1: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="332"/>
        <source>错误：无法读取SFX模块</source>
        <translation>錯誤：無法讀取自解壓模組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="339"/>
        <source>SFX模块写入成功</source>
        <translation>自解壓模組寫入成功</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="344"/>
        <source>配置写入成功，大小: %1 字节</source>
        <translation>設定寫入成功，大小: %1 位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="348"/>
        <source>错误：无法读取压缩包文件</source>
        <translation>錯誤：無法讀取壓縮檔</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="352"/>
        <source>准备写入压缩包数据，大小: %1 字节</source>
        <translation>準備寫入壓縮檔資料，大小: %1 位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="378"/>
        <source>压缩包数据写入完成，共写入: %1 字节</source>
        <translation>壓縮檔資料寫入完成，共寫入: %1 位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="387"/>
        <source>开始处理图标...</source>
        <translation>開始處理圖示...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="392"/>
        <source>尝试从主程序提取图标...</source>
        <translation>嘗試從主程式擷取圖示...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="398"/>
        <source>警告：无法从主程序提取有效图标，将创建无图标的应用</source>
        <translation>警告：無法從主程式擷取有效圖示，將建立無圖示的應用程式</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="399"/>
        <source>跳过图标替换，没有有效的图标数据</source>
        <translation>略過圖示替換，沒有有效的圖示資料</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="402"/>
        <source>成功从主程序提取图标</source>
        <translation>成功從主程式擷取圖示</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="413"/>
        <source>警告：无法打开图标文件: %1</source>
        <translation>警告：無法開啟圖示檔案: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="422"/>
        <source>已将图标图片转换为ICO格式（256、48、32、16像素）</source>
        <translation>已將圖示圖片轉換為ICO格式（256、48、32、16像素）</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="427"/>
        <source>使用用户提供的图标文件</source>
        <translation>使用使用者提供的圖示檔案</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="430"/>
        <source>警告：提供的图标文件无效，将尝试从主程序提取图标</source>
        <translation>警告：提供的圖示檔案無效，將嘗試從主程式擷取圖示</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="438"/>
        <source>开始替换EXE图标...</source>
        <translation>開始替換程式圖示...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="440"/>
        <source>图标替换成功！</source>
        <translation>圖示替換成功！</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="443"/>
        <source>警告：图标替换失败</source>
        <translation>警告：圖示替換失敗</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="450"/>
        <source>错误：创建单文件失败，输出文件不存在</source>
        <translation>錯誤：建立單一檔案失敗，輸出檔案不存在</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="458"/>
        <source>错误：制作出的程序无法读取（%1），已删除: %2</source>
        <translation>錯誤：製作出的程式無法讀取（%1），已刪除: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="465"/>
        <source>成功创建便携应用！最终文件大小: %1 字节</source>
        <translation>成功建立可攜式應用程式！最終檔案大小: %1 位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="466"/>
        <source>输出文件: %1</source>
        <translation>輸出檔案: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="474"/>
        <source>图标数据太小，至少需要6字节</source>
        <translation>圖示資料太小，至少需要6位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="478"/>
        <source>无效的ICO文件头</source>
        <translation>無效的ICO檔頭</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="485"/>
        <source>无法将数据加载为ICO格式</source>
        <translation>無法將資料載入為ICO格式</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="488"/>
        <source>图标验证通过 - 尺寸: %1x%2</source>
        <translation>圖示驗證通過 - 尺寸: %1x%2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="23"/>
        <source>错误：输出文件会覆盖源文件夹中的文件: %1</source>
        <translation>錯誤：輸出檔案會覆蓋來源資料夾中的檔案: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="27"/>
        <source>错误：输出目录不能是源文件夹或其中的文件夹: %1</source>
        <translation>錯誤：輸出目錄不能是來源資料夾或其中的資料夾: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="32"/>
        <source>错误：无法写入输出目录: %1，原因: %2</source>
        <translation>錯誤：無法寫入輸出目錄: %1，原因: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="44"/>
        <source>错误：链接指向源文件夹本身或其上级文件夹，无法打包: %1 -&gt; %2</source>
        <translation>錯誤：連結指向來源資料夾本身或其上層資料夾，無法打包: %1 -&gt; %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="48"/>
        <source>警告：链接的目标不存在，未打包此链接: %1 -&gt; %2</source>
        <translation>警告：連結的目標不存在，未打包此連結: %1 -&gt; %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="51"/>
        <source>链接指向源文件夹以外，打包其目标的副本: %1 -&gt; %2</source>
        <translation>連結指向來源資料夾以外，打包其目標的副本: %1 -&gt; %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="63"/>
        <source>错误：制作已中止，未完成的文件已删除</source>
        <translation>錯誤：製作已中止，未完成的檔案已刪除</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="105"/>
        <source>主程序没有图标，制作出的程序将不带图标</source>
        <translation>主程式沒有圖示，製作出的程式將不帶圖示</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="105"/>
        <source>警告：无法从EXE提取图标</source>
        <translation>警告：無法從EXE擷取圖示</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="109"/>
        <source>错误：无法获取图标信息</source>
        <translation>錯誤：無法取得圖示資訊</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="118"/>
        <source>错误：无法将图标转换为位图</source>
        <translation>錯誤：無法將圖示轉換為點陣圖</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="127"/>
        <source>错误：图标转换失败</source>
        <translation>錯誤：圖示轉換失敗</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="131"/>
        <source>成功提取图标，大小: %1 字节</source>
        <translation>成功擷取圖示，大小: %1 位元組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="137"/>
        <source>开始替换图标: %1</source>
        <translation>開始替換圖示: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="143"/>
        <source>错误：无法创建备份文件</source>
        <translation>錯誤：無法建立備份檔案</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="151"/>
        <source>错误：无法复制ResourceHacker到临时目录</source>
        <translation>錯誤：無法將ResourceHacker複製到暫存目錄</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="161"/>
        <source>错误：无法创建临时图标文件</source>
        <translation>錯誤：無法建立暫存圖示檔案</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="165"/>
        <source>临时图标文件创建成功: %1</source>
        <translation>暫存圖示檔案建立成功: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="170"/>
        <source>删除旧图标资源...</source>
        <translation>刪除舊圖示資源...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="174"/>
        <source>警告：ResourceHacker删除旧图标失败，可能原本没有图标</source>
        <translation>警告：ResourceHacker刪除舊圖示失敗，可能原本沒有圖示</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="177"/>
        <source>添加新图标资源...</source>
        <translation>新增圖示資源...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="187"/>
        <source>错误：ResourceHacker添加新图标失败</source>
        <translation>錯誤：ResourceHacker新增圖示失敗</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="193"/>
        <source>更新图标缓存...</source>
        <translation>更新圖示快取...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="209"/>
        <source>警告：无法从EXE加载图标，可能需要重启资源管理器</source>
        <translation>警告：無法從EXE載入圖示，可能需要重新啟動檔案總管</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="211"/>
        <source>最终EXE图标尺寸: %1x%2</source>
        <translation>最終程式圖示尺寸: %1x%2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="213"/>
        <source>图标替换完成</source>
        <translation>圖示替換完成</translation>
    </message>
    <message>
        <location filename="../../packager/engine/outsidelinks.cpp" line="25"/>
        <source>%1 不是文件或文件夹</source>
        <translation>%1 不是檔案或資料夾</translation>
    </message>
    <message>
        <location filename="../../packager/engine/outsidelinks.cpp" line="41"/>
        <source>无法创建 %1</source>
        <translation>無法建立 %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="51"/>
        <source>配置块之后没有7z压缩包</source>
        <translation>設定區塊之後沒有7z壓縮檔</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="53"/>
        <source>配置块之后不是7z压缩包</source>
        <translation>設定區塊之後不是7z壓縮檔</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="55"/>
        <source>压缩包起始头与其校验和不符</source>
        <translation>壓縮檔起始標頭與其檢查碼不符</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="60"/>
        <source>压缩包不完整</source>
        <translation>壓縮檔不完整</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="71"/>
        <source>压缩包结尾头与其校验和不符</source>
        <translation>壓縮檔結尾標頭與其檢查碼不符</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="85"/>
        <source>不是普通文件</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="95"/>
        <source>开头没有自解压模块</source>
        <translation>開頭沒有自解壓模組</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="98"/>
        <source>图标块已损坏</source>
        <translation>圖示區塊已損壞</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="102"/>
        <source>模块之后没有配置块</source>
        <translation>模組之後沒有設定區塊</translation>
    </message>
</context>
</TS>
