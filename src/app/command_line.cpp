#include "command_line.h"

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

}  // namespace

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
