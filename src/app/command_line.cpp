// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QFileInfo>

namespace {

// On Linux an absolute path also begins with "/", so "/word" counts as a
// switch only when it is one word and names nothing in the file system.
bool IsSwitch(const QString& argument)
{
    if (argument.startsWith(u'-'))
        return argument.size() > 1;
    if (!argument.startsWith(u'/') || argument.size() < 2)
        return false;
    return !argument.mid(1).contains(u'/') && !QFileInfo::exists(argument);
}

// Options of QGuiApplication and QApplication, without their leading dash.
const QStringList kQtOptionsWithValue{
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
    QStringLiteral("session"),       QStringLiteral("display"),
    QStringLiteral("geometry"),      QStringLiteral("title"),
    QStringLiteral("name"),          QStringLiteral("style"),
    QStringLiteral("stylesheet"),    QStringLiteral("fontengine"),
};
const QStringList kQtFlags{
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"),  QStringLiteral("sync"),        QStringLiteral("testability"),
};

}  // namespace

QStringList ArgumentsWithoutQtOptions(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(u'-')) {
            kept << argument;
            continue;
        }
        const QString option = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
        if (kQtFlags.contains(option))
            continue;
        if (kQtOptionsWithValue.contains(option)) {
            ++i;  // its value goes with it
            continue;
        }
        if (kQtOptionsWithValue.contains(option.section(u'=', 0, 0)) && option.contains(u'='))
            continue;
        kept << argument;
    }
    return kept;
}

CPlayerCommandLine CPlayerCommandLine::Parse(const QStringList& arguments)
{
    CPlayerCommandLine result;
    for (const QString& argument : arguments) {
        if (IsSwitch(argument)) {
            if (QStringView(argument).mid(1) == u"background")
                result.m_bShowAtStart = false;
        } else if (result.m_strFileName.isEmpty()) {
            result.m_strFileName = argument;
        }
    }
    return result;
}
