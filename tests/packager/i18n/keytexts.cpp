// Key texts of Crateforge's catalogues and what they must become.

#include <QString>
#include <QTest>

void addKeyTextRows()
{
    QTest::newRow("zh_TW window title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("匣坊") << QStringLiteral("匣坊");
    QTest::newRow("zh_TW start") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("开始制作") << QStringLiteral("開始製作");
    QTest::newRow("zh_TW choose") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("选择") << QStringLiteral("選擇");
    QTest::newRow("zh_TW source folder") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("源文件夹") << QStringLiteral("來源資料夾");
    QTest::newRow("zh_TW normal level") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("标准") << QStringLiteral("標準");
    QTest::newRow("zh_TW store level") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("存储") << QStringLiteral("儲存");
    QTest::newRow("zh_TW lzma") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("LZMA") << QStringLiteral("LZMA");
    QTest::newRow("zh_TW dictionary") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("64 KB") << QStringLiteral("64 KB");
    QTest::newRow("zh_TW reset") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("一键重置") << QStringLiteral("一鍵重設");
    QTest::newRow("zh_TW quit question") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确定要退出 匣坊 吗？") << QStringLiteral("確定要結束 匣坊 嗎？");
    QTest::newRow("zh_TW missing program") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("选择的主程序不存在于源文件夹中！\n请重新选择主程序。") << QStringLiteral("選擇的主程式不在來源資料夾中！\n請重新選擇主程式。");
    QTest::newRow("zh_TW exe filter") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("可执行文件 (*.exe)") << QStringLiteral("可執行檔 (*.exe)");
    QTest::newRow("zh_TW error title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("错误") << QStringLiteral("錯誤");
    QTest::newRow("zh_TW about title") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("关于匣坊") << QStringLiteral("關於匣坊");
    QTest::newRow("zh_TW about heading") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("<h2>匣坊</h2>") << QStringLiteral("<h2>匣坊</h2>");
    QTest::newRow("zh_TW about version") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("版本: %1") << QStringLiteral("版本: %1");
    QTest::newRow("en_US window title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("匣坊") << QStringLiteral("Crateforge");
    QTest::newRow("en_US start") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("开始制作") << QStringLiteral("Build");
    QTest::newRow("en_US stop") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("停止制作") << QStringLiteral("Stop");
    QTest::newRow("zh_TW stop") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("停止制作") << QStringLiteral("停止製作");
    QTest::newRow("en_US choose") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("选择") << QStringLiteral("Browse");
    QTest::newRow("en_US source folder") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("源文件夹") << QStringLiteral("Source folder");
    QTest::newRow("en_US normal level") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("标准") << QStringLiteral("Normal");
    QTest::newRow("en_US store level") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("存储") << QStringLiteral("Store");
    QTest::newRow("en_US lzma") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("LZMA") << QStringLiteral("LZMA");
    QTest::newRow("en_US dictionary") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("64 KB") << QStringLiteral("64 KB");
    QTest::newRow("en_US reset") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("一键重置") << QStringLiteral("Reset");
    QTest::newRow("zh_TW quit during a build") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("正在制作便携应用。退出将停止制作，并删除未完成的文件。\n确定要退出 匣坊 吗？") << QStringLiteral("正在製作可攜式應用程式。結束將停止製作，並刪除未完成的檔案。\n確定要結束 匣坊 嗎？");
    QTest::newRow("en_US quit during a build") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("正在制作便携应用。退出将停止制作，并删除未完成的文件。\n确定要退出 匣坊 吗？") << QStringLiteral("A portable program is being built. Quitting stops the build and deletes its unfinished files.\nQuit Crateforge?");
    QTest::newRow("en_US quit question") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确定要退出 匣坊 吗？") << QStringLiteral("Quit Crateforge?");
    QTest::newRow("en_US missing program") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("选择的主程序不存在于源文件夹中！\n请重新选择主程序。") << QStringLiteral("The main program is not in the source folder!\nPlease choose it again.");
    QTest::newRow("en_US exe filter") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("可执行文件 (*.exe)") << QStringLiteral("Executables (*.exe)");
    QTest::newRow("en_US error title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("错误") << QStringLiteral("Error");
    QTest::newRow("en_US about title") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("关于匣坊") << QStringLiteral("About Crateforge");
    QTest::newRow("en_US about heading") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("<h2>匣坊</h2>") << QStringLiteral("<h2>Crateforge</h2>");
    QTest::newRow("en_US about version") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("版本: %1") << QStringLiteral("Version: %1");
    QTest::newRow("zh_TW done") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("便携应用创建成功！") << QStringLiteral("可攜式應用程式建立成功！");
    QTest::newRow("zh_TW abort line") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("输入验证失败，操作中止") << QStringLiteral("輸入驗證失敗，操作已中止");
    QTest::newRow("zh_TW reset question") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确定要将所有设置恢复为默认值吗？\n此操作无法撤销。") << QStringLiteral("確定要將所有設定還原為預設值嗎？\n此操作無法復原。");
    QTest::newRow("zh_TW menu about") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("关于匣坊") << QStringLiteral("關於匣坊");
    QTest::newRow("zh_TW menu language") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("简体中文") << QStringLiteral("简体中文");
    QTest::newRow("zh_TW encrypt notice") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("注意：“加密文件内容”未生效，制作出的程序中的文件没有加密。") << QStringLiteral("注意：「加密檔案內容」未生效，製作出的程式中的檔案並未加密。");
    QTest::newRow("en_US done") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("便携应用创建成功！") << QStringLiteral("The portable program was built successfully!");
    QTest::newRow("en_US abort line") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("输入验证失败，操作中止") << QStringLiteral("Input check failed; nothing was built.");
    QTest::newRow("en_US reset question") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确定要将所有设置恢复为默认值吗？\n此操作无法撤销。") << QStringLiteral("Restore all settings to their defaults?\nThis cannot be undone.");
    QTest::newRow("en_US menu about") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("关于匣坊") << QStringLiteral("About Crateforge");
    QTest::newRow("en_US menu language") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("繁體中文") << QStringLiteral("繁體中文");
    QTest::newRow("en_US encrypt notice") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("注意：“加密文件内容”未生效，制作出的程序中的文件没有加密。") << QStringLiteral("Note: \u201cEncrypt file contents\u201d has no effect; the files inside the program are not encrypted.");
}
