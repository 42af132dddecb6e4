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
</TS>
