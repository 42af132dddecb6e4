#include "quickcommandfile.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <optional>

namespace {

const char *const kContext = "QuickCommandFile";

QString message(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

QString escaped(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c; break;
        }
    }
    return out;
}

// A backslash before anything else stays as written, so that a Windows path
// typed into the file reads back as the user meant it.
QString unescaped(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        switch (value[i + 1].unicode()) {
        case '\\': out += u'\\'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        default: out += c; continue;
        }
        ++i;
    }
    return out;
}

QLatin1String yesNo(bool value)
{
    return value ? QLatin1String("yes") : QLatin1String("no");
}

// The command being read and the keys it has had so far.
struct Pending
{
    QuickCommand command;
    QStringList keys;
    bool broken = false;
};

} // namespace

QByteArray writeQuickCommands(const QList<QuickCommand> &commands)
{
    QString out = QStringLiteral("# Wrenpost quick commands\n");
    for (const QuickCommand &command : commands) {
        out += QLatin1String("\nname=") + escaped(command.name);
        out += QLatin1String("\ntext=") + escaped(command.text);
        out += QLatin1String("\nhex=") + yesNo(command.hex);
        out += QLatin1String("\nnewline=") + yesNo(command.newLine);
        out += QLatin1String("\ndelay=") + QString::number(command.delayMs) + u'\n';
    }
    return out.toUtf8();
}

QuickCommandFileContents readQuickCommands(const QByteArray &file)
{
    QuickCommandFileContents result;
    std::optional<Pending> pending;
    const auto finish = [&] {
        if (pending && !pending->broken)
            result.commands.append(pending->command);
        pending.reset();
    };

    QByteArrayView rest(file);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    int lineNumber = 0;
    while (!rest.isEmpty()) {
        ++lineNumber;
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView raw = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (raw.endsWith('\r'))
            raw.chop(1);

        const auto fail = [&](const QString &text) {
            result.errors.append({lineNumber, text});
            if (pending)
                pending->broken = true;
        };
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString line = decoder(raw);
        if (decoder.hasError()) {
            fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "不是 UTF-8 文本")));
            continue;
        }
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "缺少“=”")));
            continue;
        }
        const QString key = line.first(equals).trimmed();
        const QStringView value = QStringView(line).sliced(equals + 1);

        if (key == QLatin1String("name")) {
            finish();
            pending.emplace();
            pending->command.name = unescaped(value);
            pending->keys.append(key);
            if (pending->command.name.isEmpty())
                fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "名称为空")));
            continue;
        }
        static const QStringList known = {QStringLiteral("text"), QStringLiteral("hex"), QStringLiteral("newline"),
                                          QStringLiteral("delay")};
        if (!known.contains(key)) {
            fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "未知的键：%1")).arg(key));
            continue;
        }
        if (!pending) {
            result.errors.append(
                {lineNumber, message(QT_TRANSLATE_NOOP("QuickCommandFile", "“%1”之前没有“name=”行")).arg(key)});
            continue;
        }
        if (pending->keys.contains(key)) {
            fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "“%1”重复")).arg(key));
            continue;
        }
        pending->keys.append(key);

        QuickCommand &command = pending->command;
        if (key == QLatin1String("text")) {
            command.text = unescaped(value);
        } else if (key == QLatin1String("delay")) {
            bool number = false;
            const int delay = value.toInt(&number);
            if (!number || delay < 0 || delay > QuickCommand::kMaxDelayMs)
                fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "延时应为 0 到 3600000 之间的整数")));
            else
                command.delayMs = delay;
        } else {
            bool &flag = key == QLatin1String("hex") ? command.hex : command.newLine;
            if (value == QLatin1String("yes"))
                flag = true;
            else if (value == QLatin1String("no"))
                flag = false;
            else
                fail(message(QT_TRANSLATE_NOOP("QuickCommandFile", "“%1”应为 yes 或 no")).arg(key));
        }
    }
    finish();
    return result;
}
