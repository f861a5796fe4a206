// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include "platform/Console.h"
#include "platform/ProgramInfo.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

namespace commandline {
namespace {

const char ProgramName[] = "amorial";

constexpr int UsageError = 2;

// The help names only what the platform has: Windows has no manual page and
// no X display, and takes /? for help as its own programs do.
#ifdef Q_OS_WIN
const char HelpText[] = "Usage: amorial [OPTION]...\n"
                        "Find the zodiac sign Venus stood in on a birthday from 1930 to 2012.\n"
                        "\n"
                        "  /?, -h, --help  display this help and exit\n"
                        "  -v, --version   output version information and exit\n"
                        "\n"
                        "Qt's own options, such as -platform and -style, are accepted too.\n";
#else
const char HelpText[] = "Usage: amorial [OPTION]...\n"
                        "Find the zodiac sign Venus stood in on a birthday from 1930 to 2012.\n"
                        "\n"
                        "  -h, --help     display this help and exit\n"
                        "  -v, --version  output version information and exit\n"
                        "\n"
                        "Qt's own options, such as -platform, -display and -style, are accepted too.\n"
                        "See amorial(6) for the files the program keeps.\n";
#endif

const QByteArray VersionText = QByteArrayLiteral("amorial ") + programinfo::Version + "\n"
                           + programinfo::Copyright + "\n"
                           "This is free software under the MIT licence: you are free to change and\n"
                           "redistribute it. There is NO WARRANTY, to the extent permitted by law.\n";

// Options the Qt application and its platform plugins take out of the command
// line themselves; known here only so they are not refused. The X11 plugin's
// come as options of their own; the Windows plugin's ride in -platform's value
// (-platform windows:fontengine=freetype), and two of them are also taken on
// their own (-dialogs=none, -fontengine=freetype).
const char *const QtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "session", "style", "stylesheet",
    "display", "name", "visual", "qmljsdebugger", "dialogs", "fontengine",
};
const char *const QtSwitches[] = {
    "reverse", "testability", "widgetcount", "nograb", "dograb", "sync",
};


// The first argument that names an option the parser does not know, as typed.
QString firstUnknown(const QStringList &arguments, const QStringList &unknownNames)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        QString name = argument.section(QLatin1Char('='), 0, 0);
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        if (argument.startsWith(QLatin1Char('-')) && unknownNames.contains(name))
            return argument.section(QLatin1Char('='), 0, 0);
    }
    return unknownNames.value(0);
}

int refuse(const QString &problem)
{
    platform::writeToConsole(platform::ConsoleText::Refusal, QByteArray(ProgramName) + ": " + problem.toLocal8Bit()
                                                                 + '\n' + "Try '" + ProgramName
                                                                 + " --help' for more information.\n");
    return UsageError;
}

std::optional<int> answer(int argc, const char *const argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
#ifdef Q_OS_WIN
    // Windows programs answer /? with their help.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("/?"))
            arguments[i] = QStringLiteral("--help");
    }
#endif

    QCommandLineParser parser;
    // Qt's options are words after a single dash (-platform); -h and -v stay short options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const char *name : QtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : QtSwitches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return refuse(QStringLiteral("unrecognized option '%1'").arg(firstUnknown(arguments, unknown)));
        return refuse(parser.errorText());
    }
    if (parser.isSet(help)) {
        platform::writeToConsole(platform::ConsoleText::Answer, HelpText);
        return 0;
    }
    if (parser.isSet(version)) {
        platform::writeToConsole(platform::ConsoleText::Answer, VersionText);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}

#ifdef Q_OS_UNIX
bool choosesName(int argc, const char *const argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-name") == 0 || qstrcmp(argv[i], "--name") == 0)
            return true;
    }
    return false;
}
#endif

} // namespace

std::vector<char *> applicationArguments(int argc, char *argv[])
{
    std::vector<char *> arguments(argv, argv + argc);
#ifdef Q_OS_UNIX
    static char option[] = "-name";
    static QByteArray name = programinfo::DesktopFileName.toLatin1();
    if (!choosesName(argc, argv)) {
        arguments.push_back(option);
        arguments.push_back(name.data());
    }
#endif
    arguments.push_back(nullptr);
    return arguments;
}

std::optional<int> handle(int argc, const char *const argv[])
{
    if (argc <= 1)
        return std::nullopt; // The usual start: nothing to read.
    try {
        return answer(argc, argv);
    } catch (...) {
        return std::nullopt; // Reading the arguments failed: start as if there were none.
    }
}

} // namespace commandline
