<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="12"/>
        <source>关于匣坊</source>
        <translation>About Crateforge</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="13"/>
        <source>&lt;h2&gt;匣坊&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Crateforge&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="14"/>
        <source>版本: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="16"/>
        <source>一款简单易用的单文件程序制作工具，提供向导式操作界面，支持多种压缩方式，可自定义输出目录，轻松制作高效单文件程序。</source>
        <translation>An easy single-file program maker with a guided interface, several compression methods and a custom output folder for building compact single-file programs.</translation>
    </message>
    <message>
        <location filename="../../packager/window/aboutproduct.cpp" line="18"/>
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
    <name>CommandLine</name>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="12"/>
        <source>用法：%1 [选项]</source>
        <translation>Usage: %1 [options]</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="13"/>
        <source>匣坊，单文件程序制作工具。不带参数时打开窗口。</source>
        <translation>Crateforge, a single-file program maker. Opens its window when started without arguments.</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="14"/>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="15"/>
        <source>显示本帮助并退出</source>
        <translation>Show this help and exit</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="16"/>
        <source>显示版本并退出</source>
        <translation>Show the version and exit</translation>
    </message>
    <message>
        <location filename="../../packager/window/programidentity.cpp" line="17"/>
        <source>%1：无法识别的参数“%2”</source>
        <translation>%1: unknown argument "%2"</translation>
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
        <translation>Making a product without the window (options: crateforge pack --help):
  crateforge pack SOURCE_FOLDER [OPTIONS]   the window's engine; prints the product's path

Looking inside a product without running it:
  crateforge list PRODUCT             every file with its size and mode
  crateforge check PRODUCT            checks the configuration block, the archive's headers and every file's checksum
  crateforge extract PRODUCT FOLDER   unpacks into FOLDER under the product's own rules
  crateforge info PRODUCT             title, main program, identity, archive size and icon
</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="14"/>
        <location filename="../../packager/window/mainwindow.ui" line="232"/>
        <source>匣坊</source>
        <translation>Crateforge</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="118"/>
        <source>基础</source>
        <translation>Basic</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="145"/>
        <source>配置</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="340"/>
        <source>源文件夹</source>
        <translation>Source folder</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="350"/>
        <location filename="../../packager/window/mainwindow.ui" line="367"/>
        <location filename="../../packager/window/mainwindow.ui" line="384"/>
        <location filename="../../packager/window/mainwindow.ui" line="504"/>
        <source>选择</source>
        <translation>Browse</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="357"/>
        <source>输出位置</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="374"/>
        <source>主程序</source>
        <translation>Main program</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="400"/>
        <source>开始制作</source>
        <translation>Build</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="494"/>
        <source>程序图标</source>
        <translation>Program icon</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="511"/>
        <source>压缩级别</source>
        <translation>Compression level</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="522"/>
        <source>存储</source>
        <translation>Store</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="527"/>
        <source>最快</source>
        <translation>Fastest</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="532"/>
        <source>快速</source>
        <translation>Fast</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="537"/>
        <source>标准</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="542"/>
        <source>最大</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="547"/>
        <source>极限</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="555"/>
        <source>压缩方法</source>
        <translation>Compression method</translation>
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
        <translation>Dictionary size</translation>
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
        <translation>Delete temporary files when done</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="667"/>
        <source>解压到临时目录</source>
        <translation>Extract to a temporary folder</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="683"/>
        <source>以管理员权限运行</source>
        <translation>Run as administrator</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="699"/>
        <source>加密文件内容</source>
        <translation>Encrypt file contents</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.ui" line="724"/>
        <source>一键重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="47"/>
        <source>确认退出</source>
        <translation>Confirm exit</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="48"/>
        <source>确定要退出 匣坊 吗？</source>
        <translation>Quit Crateforge?</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="47"/>
        <source>正在制作便携应用。退出将停止制作，并删除未完成的文件。
确定要退出 匣坊 吗？</source>
        <translation>A portable program is being built. Quitting stops the build and deletes its unfinished files.
Quit Crateforge?</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="97"/>
        <source>选择源文件夹</source>
        <translation>Choose source folder</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="119"/>
        <source>选择输出目录</source>
        <translation>Choose output folder</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="131"/>
        <location filename="../../packager/window/mainwindow.cpp" line="147"/>
        <location filename="../../packager/window/mainwindow.cpp" line="154"/>
        <location filename="../../packager/window/mainwindow.cpp" line="252"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="131"/>
        <source>请先选择源文件夹！</source>
        <translation>Choose a source folder first!</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="142"/>
        <source>选择主程序</source>
        <translation>Choose main program</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="136"/>
        <source>可执行文件 (*.exe)</source>
        <translation>Executables (*.exe)</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="155"/>
        <source>“%1”不是可执行程序。
主程序须是 .exe 文件，或带有执行权限的 ELF 程序或以 #! 开头的脚本。</source>
        <translation>“%1” is not a program.
A main program is an .exe file, or an ELF program or a script starting with #! that has the execute permission.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="147"/>
        <source>选择的主程序必须在源文件夹内！</source>
        <translation>The main program must be inside the source folder!</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="178"/>
        <source>选择图标文件</source>
        <translation>Choose icon file</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="178"/>
        <source>图标文件 (*.ico)</source>
        <translation>Icon files (*.ico)</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="180"/>
        <source>图标文件 (*.ico *.png *.svg *.jpg *.jpeg)</source>
        <translation>Icon files (*.ico *.png *.svg *.jpg *.jpeg)</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="235"/>
        <source>图标文件不是可用的图片：
%1
请选择 .ico、.png、.svg 或 .jpg 图片。</source>
        <translation>The icon file is not a usable image:
%1
Please choose an .ico, .png, .svg or .jpg image.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="244"/>
        <source>无法读取源文件夹！
%1
%2</source>
        <translation>The source folder cannot be read!
%1
%2</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="170"/>
        <source>停止制作</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="186"/>
        <location filename="../../packager/window/mainwindow_run.cpp" line="21"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="186"/>
        <source>无法加载图标文件！</source>
        <translation>Cannot load the icon file!</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="227"/>
        <source>请选择源文件夹！</source>
        <translation>Choose a source folder!</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="230"/>
        <source>源文件夹不存在！
%1</source>
        <translation>The source folder does not exist!
%1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="233"/>
        <source>请选择主程序！</source>
        <translation>Choose a main program!</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="236"/>
        <source>选择的主程序不存在于源文件夹中！
请重新选择主程序。</source>
        <translation>The main program is not in the source folder!
Please choose it again.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="239"/>
        <source>输出路径必须是一个目录（例如 C:/Output）！</source>
        <translation>The output path must be a folder (e.g. C:/Output)!</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="242"/>
        <source>无法写入输出目录！
%1
%2</source>
        <translation>Cannot write to the output folder!
%1
%2</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="245"/>
        <source>制作出的程序会覆盖源文件夹中的文件：
%1
请选择源文件夹以外的输出目录。</source>
        <translation>The program built would overwrite a file of the source folder:
%1
Please choose an output folder outside the source folder.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow.cpp" line="248"/>
        <source>输出目录不能是源文件夹或其中的文件夹，否则制作出的程序会被打包进下一个程序。
请选择源文件夹以外的输出目录。</source>
        <translation>The output folder cannot be the source folder or a folder inside it: the program built would be packed into the next one.
Please choose an output folder outside the source folder.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="15"/>
        <source>输入验证失败，操作中止</source>
        <translation>Input check failed; nothing was built.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="21"/>
        <source>主程序不存在：%1</source>
        <translation>The main program does not exist: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="35"/>
        <source>调试信息:</source>
        <translation>Details:</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="36"/>
        <source>源文件夹: %1</source>
        <translation>Source folder: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="37"/>
        <source>主程序: %1</source>
        <translation>Main program: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="38"/>
        <source>输出目录: %1</source>
        <translation>Output folder: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="39"/>
        <source>图标路径: %1</source>
        <translation>Icon file: %1</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="58"/>
        <source>注意：“完成后清理临时文件”未生效，程序结束后解压出的文件仍留在临时目录中。</source>
        <translation>Note: “Delete temporary files when done” has no effect; the unpacked files stay in the temporary folder after the program ends.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="60"/>
        <source>注意：“以管理员权限运行”未生效，制作出的程序以当前用户的权限运行。</source>
        <translation>Note: “Run as administrator” has no effect; the program runs with the current user’s rights.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="62"/>
        <source>注意：“加密文件内容”未生效，制作出的程序中的文件没有加密。</source>
        <translation>Note: “Encrypt file contents” has no effect; the files inside the program are not encrypted.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="83"/>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_run.cpp" line="83"/>
        <source>便携应用创建成功！</source>
        <translation>The portable program was built successfully!</translation>
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
        <translation>Reset settings</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="83"/>
        <source>确定要将所有设置恢复为默认值吗？
此操作无法撤销。</source>
        <translation>Restore all settings to their defaults?
This cannot be undone.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="108"/>
        <source>重置成功</source>
        <translation>Settings reset</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="108"/>
        <source>所有设置已恢复为默认值。</source>
        <translation>All settings have been restored to their defaults.</translation>
    </message>
    <message>
        <location filename="../../packager/window/mainwindow_settings.cpp" line="166"/>
        <source>关于匣坊</source>
        <translation>About Crateforge</translation>
    </message>
</context>
<context>
    <name>PackCommand</name>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="43"/>
        <source>用法：crateforge pack 源文件夹 [--main 主程序] [--output 文件夹] [--icon 文件] [--level %1] [--method %2] [--dictionary %3] [--quiet]</source>
        <translation>usage: crateforge pack SOURCE_FOLDER [--main PROGRAM] [--output FOLDER] [--icon FILE] [--level %1] [--method %2] [--dictionary %3] [--quiet]</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="155"/>
        <source>缺少源文件夹</source>
        <translation>no source folder given</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="157"/>
        <source>多余的参数“%1”</source>
        <translation>unexpected argument '%1'</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="174"/>
        <source>“--%1”的值“%2”无效</source>
        <translation>invalid value '%2' for --%1</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="186"/>
        <source>源文件夹中没有主程序：%1</source>
        <translation>the source folder has no main program: %1</translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="188"/>
        <source>源文件夹中有多个同样可能的主程序，请用 --main 选择其一：</source>
        <translation>the source folder has several equally likely main programs; choose one with --main: </translation>
    </message>
    <message>
        <location filename="../../packager/cli/packcommand.cpp" line="205"/>
        <source>无法在临时目录中创建工作文件夹：%1</source>
        <translation>cannot create a work folder in the temporary folder: %1</translation>
    </message>
</context>
<context>
    <name>Worker</name>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="97"/>
        <source>错误：</source>
        <translation>Error: </translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="100"/>
        <source>错误：制作失败：%1</source>
        <translation>Error: the build failed: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="109"/>
        <source>开始创建便携应用...</source>
        <translation>Building the portable program...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="110"/>
        <source>源文件夹: %1</source>
        <translation>Source folder: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="111"/>
        <source>主程序: %1</source>
        <translation>Main program: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="112"/>
        <source>输出目录: %1</source>
        <translation>Output folder: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="113"/>
        <source>压缩级别: %1</source>
        <translation>Compression level: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="114"/>
        <source>压缩方法: %1</source>
        <translation>Compression method: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="115"/>
        <source>字典大小: %1</source>
        <translation>Dictionary size: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="120"/>
        <source>源文件夹中的所有EXE文件:</source>
        <translation>Programs in the source folder:</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="125"/>
        <source>用户选择的主程序: %1</source>
        <translation>Main program chosen: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="128"/>
        <source>错误：源文件夹不存在</source>
        <translation>Error: the source folder does not exist</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="133"/>
        <source>错误：无法读取源文件夹: %1，原因: %2</source>
        <translation>Error: cannot read the source folder: %1, because: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="138"/>
        <source>错误：主程序 %1 不存在于源文件夹中</source>
        <translation>Error: the main program %1 is not in the source folder</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="139"/>
        <source>完整路径: %1</source>
        <translation>Full path: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="140"/>
        <source>源文件夹中的文件列表:</source>
        <translation>Files in the source folder:</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="146"/>
        <source>主程序路径验证成功: %1</source>
        <translation>Main program found: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="158"/>
        <source>错误：无法复制7zr.exe到临时目录</source>
        <translation>Error: cannot copy 7zr.exe to the temporary folder</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="162"/>
        <source>7zr.exe已复制到临时目录</source>
        <translation>7zr.exe copied to the temporary folder</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="170"/>
        <source>错误：工作目录不存在或不安全: %1</source>
        <translation>Error: the work folder is missing or not safe: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="177"/>
        <source>错误：无法删除旧的压缩包: %1</source>
        <translation>Error: cannot delete the old archive: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="189"/>
        <source>7z报告：%1</source>
        <translation>7z reports: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="194"/>
        <source>压缩包创建成功</source>
        <translation>Archive created</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="195"/>
        <source>压缩包大小: %1 字节</source>
        <translation>Archive size: %1 bytes</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="212"/>
        <source>错误：无法复制链接指向的内容: %1</source>
        <translation>Error: cannot copy what a link points to: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="229"/>
        <source>执行命令: %1 %2</source>
        <translation>Running: %1 %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="245"/>
        <source>错误：无法启动7z.exe，路径: %1</source>
        <translation>Error: cannot start the archiver, path: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="246"/>
        <source>错误详情: %1</source>
        <translation>Error details: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="254"/>
        <source>7z进程已启动，开始压缩...</source>
        <translation>Archiver started, compressing...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="274"/>
        <source>错误：7z进程超过%1秒没有结束，已终止</source>
        <translation>Error: the archiver did not end within %1 seconds and was stopped</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="293"/>
        <source>7z错误输出: %1</source>
        <translation>Archiver error output: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="294"/>
        <source>7z退出代码: %1</source>
        <translation>Archiver exit code: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="306"/>
        <source>错误：无法复制SFX模块</source>
        <translation>Error: cannot copy the self-extractor module</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="312"/>
        <source>错误：无法创建输出文件: %1</source>
        <translation>Error: cannot create the output file: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="325"/>
        <source>写入错误: %1</source>
        <translation>Write error: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="326"/>
        <source>无法写入输出文件 %1: %2</source>
        <translation>cannot write the output file %1: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="332"/>
        <source>错误：无法读取SFX模块</source>
        <translation>Error: cannot read the self-extractor module</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="339"/>
        <source>SFX模块写入成功</source>
        <translation>Self-extractor module written</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="344"/>
        <source>配置写入成功，大小: %1 字节</source>
        <translation>Configuration written, size: %1 bytes</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="348"/>
        <source>错误：无法读取压缩包文件</source>
        <translation>Error: cannot read the archive file</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="352"/>
        <source>准备写入压缩包数据，大小: %1 字节</source>
        <translation>Writing the archive, size: %1 bytes</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="378"/>
        <source>压缩包数据写入完成，共写入: %1 字节</source>
        <translation>Archive written, %1 bytes in all</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="387"/>
        <source>开始处理图标...</source>
        <translation>Handling the icon...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="392"/>
        <source>尝试从主程序提取图标...</source>
        <translation>Trying to take the icon from the main program...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="398"/>
        <source>警告：无法从主程序提取有效图标，将创建无图标的应用</source>
        <translation>Warning: no valid icon could be taken from the main program; the program will have no icon</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="399"/>
        <source>跳过图标替换，没有有效的图标数据</source>
        <translation>Icon replacement skipped: no valid icon data</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="402"/>
        <source>成功从主程序提取图标</source>
        <translation>Icon taken from the main program</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="413"/>
        <source>警告：无法打开图标文件: %1</source>
        <translation>Warning: cannot open the icon file: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="422"/>
        <source>已将图标图片转换为ICO格式（256、48、32、16像素）</source>
        <translation>Icon image converted to ICO (256, 48, 32 and 16 pixels)</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="427"/>
        <source>使用用户提供的图标文件</source>
        <translation>Using the icon file given</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="430"/>
        <source>警告：提供的图标文件无效，将尝试从主程序提取图标</source>
        <translation>Warning: the icon file given is not valid; trying the main program's icon</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="438"/>
        <source>开始替换EXE图标...</source>
        <translation>Replacing the program's icon...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="440"/>
        <source>图标替换成功！</source>
        <translation>Icon replaced!</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="443"/>
        <source>警告：图标替换失败</source>
        <translation>Warning: the icon could not be replaced</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="450"/>
        <source>错误：创建单文件失败，输出文件不存在</source>
        <translation>Error: the single-file program was not made: the output file does not exist</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="458"/>
        <source>错误：制作出的程序无法读取（%1），已删除: %2</source>
        <translation>Error: the program made cannot be read (%1) and was deleted: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="465"/>
        <source>成功创建便携应用！最终文件大小: %1 字节</source>
        <translation>Portable program built! Final size: %1 bytes</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="466"/>
        <source>输出文件: %1</source>
        <translation>Output file: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="474"/>
        <source>图标数据太小，至少需要6字节</source>
        <translation>Icon data too small: at least 6 bytes are needed</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="478"/>
        <source>无效的ICO文件头</source>
        <translation>Not a valid ICO header</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="485"/>
        <source>无法将数据加载为ICO格式</source>
        <translation>The data cannot be read as ICO</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker.cpp" line="488"/>
        <source>图标验证通过 - 尺寸: %1x%2</source>
        <translation>Icon checked - size: %1x%2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="23"/>
        <source>错误：输出文件会覆盖源文件夹中的文件: %1</source>
        <translation>Error: the output file would overwrite a file in the source folder: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="27"/>
        <source>错误：输出目录不能是源文件夹或其中的文件夹: %1</source>
        <translation>Error: the output folder cannot be the source folder or a folder inside it: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="32"/>
        <source>错误：无法写入输出目录: %1，原因: %2</source>
        <translation>Error: cannot write to the output folder: %1, because: %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="44"/>
        <source>错误：链接指向源文件夹本身或其上级文件夹，无法打包: %1 -&gt; %2</source>
        <translation>Error: a link points to the source folder itself or a folder above it and cannot be packed: %1 -&gt; %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="48"/>
        <source>警告：链接的目标不存在，未打包此链接: %1 -&gt; %2</source>
        <translation>Warning: a link's target does not exist; the link was not packed: %1 -&gt; %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="51"/>
        <source>链接指向源文件夹以外，打包其目标的副本: %1 -&gt; %2</source>
        <translation>A link points outside the source folder; packing a copy of its target: %1 -&gt; %2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_guards.cpp" line="63"/>
        <source>错误：制作已中止，未完成的文件已删除</source>
        <translation>Error: the build was stopped; its unfinished files were deleted</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="105"/>
        <source>主程序没有图标，制作出的程序将不带图标</source>
        <translation>The main program has no icon; the program made will have none</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="105"/>
        <source>警告：无法从EXE提取图标</source>
        <translation>Warning: cannot take the icon from the executable</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="109"/>
        <source>错误：无法获取图标信息</source>
        <translation>Error: cannot read the icon's information</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="118"/>
        <source>错误：无法将图标转换为位图</source>
        <translation>Error: cannot turn the icon into a bitmap</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="127"/>
        <source>错误：图标转换失败</source>
        <translation>Error: the icon could not be converted</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="131"/>
        <source>成功提取图标，大小: %1 字节</source>
        <translation>Icon taken, size: %1 bytes</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="137"/>
        <source>开始替换图标: %1</source>
        <translation>Replacing the icon: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="143"/>
        <source>错误：无法创建备份文件</source>
        <translation>Error: cannot create the backup file</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="151"/>
        <source>错误：无法复制ResourceHacker到临时目录</source>
        <translation>Error: cannot copy ResourceHacker to the temporary folder</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="161"/>
        <source>错误：无法创建临时图标文件</source>
        <translation>Error: cannot create the temporary icon file</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="165"/>
        <source>临时图标文件创建成功: %1</source>
        <translation>Temporary icon file created: %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="170"/>
        <source>删除旧图标资源...</source>
        <translation>Removing the old icon resources...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="174"/>
        <source>警告：ResourceHacker删除旧图标失败，可能原本没有图标</source>
        <translation>Warning: ResourceHacker could not remove the old icon; perhaps there was none</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="177"/>
        <source>添加新图标资源...</source>
        <translation>Adding the new icon resources...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="187"/>
        <source>错误：ResourceHacker添加新图标失败</source>
        <translation>Error: ResourceHacker could not add the new icon</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="193"/>
        <source>更新图标缓存...</source>
        <translation>Refreshing the icon cache...</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="209"/>
        <source>警告：无法从EXE加载图标，可能需要重启资源管理器</source>
        <translation>Warning: cannot load the icon from the program; the file manager may need a restart</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="211"/>
        <source>最终EXE图标尺寸: %1x%2</source>
        <translation>Final icon size: %1x%2</translation>
    </message>
    <message>
        <location filename="../../packager/engine/worker_icons.cpp" line="213"/>
        <source>图标替换完成</source>
        <translation>Icon replacement done</translation>
    </message>
    <message>
        <location filename="../../packager/engine/outsidelinks.cpp" line="25"/>
        <source>%1 不是文件或文件夹</source>
        <translation>%1 is not a file or a folder</translation>
    </message>
    <message>
        <location filename="../../packager/engine/outsidelinks.cpp" line="41"/>
        <source>无法创建 %1</source>
        <translation>cannot create %1</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="51"/>
        <source>配置块之后没有7z压缩包</source>
        <translation>no 7z archive after the configuration block</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="53"/>
        <source>配置块之后不是7z压缩包</source>
        <translation>what follows the configuration block is not a 7z archive</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="55"/>
        <source>压缩包起始头与其校验和不符</source>
        <translation>the archive's start header does not match its checksum</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="60"/>
        <source>压缩包不完整</source>
        <translation>the archive is incomplete</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="71"/>
        <source>压缩包结尾头与其校验和不符</source>
        <translation>the archive's end header does not match its checksum</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="85"/>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="95"/>
        <source>开头没有自解压模块</source>
        <translation>no self-extractor module at the start</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="98"/>
        <source>图标块已损坏</source>
        <translation>the icon block is damaged</translation>
    </message>
    <message>
        <location filename="../../packager/engine/productcheck.cpp" line="102"/>
        <source>模块之后没有配置块</source>
        <translation>no configuration block after the module</translation>
    </message>
</context>
</TS>
