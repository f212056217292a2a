// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skin_catalog.h"

#include "skin/sprite_layout.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kSheetFile = QStringLiteral("sheet.png");
const QString kIniFile = QStringLiteral("skin.ini");
// A description of a name and two colours; anything larger is not read.
constexpr qint64 kMaxIniBytes = 64 * 1024;

bool IsPlainFolderName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(QLatin1Char('/'));
}

// A colour written as #RRGGBB (or a name Qt knows); `fallback` otherwise.
QRgb ReadColour(const QSettings& ini, const QString& key, QRgb fallback)
{
    const QColor colour(ini.value(key).toString().trimmed());
    return colour.isValid() ? colour.rgb() & 0xFFFFFF : fallback;
}

// The INI's display name and colours over the defaults; a missing, large
// or malformed INI leaves them.
void ReadDescription(const QString& folder, CUserSkinLoad& load)
{
    load.displayName = QFileInfo(folder).fileName();
    const QFileInfo info(QDir(folder).filePath(kIniFile));
    if (!info.isFile() || info.size() > kMaxIniBytes)
        return;
    QSettings ini(info.filePath(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Skin"));
    const QString name = ini.value(QStringLiteral("Name")).toString().trimmed();
    if (!name.isEmpty())
        load.displayName = name.left(64);
    load.colours.title = ReadColour(ini, QStringLiteral("TitleText"), load.colours.title);
    load.colours.time = ReadColour(ini, QStringLiteral("TimeText"), load.colours.time);
}

}  // namespace

const CBuiltInSkin& BuiltInSkin(int index)
{
    static const CBuiltInSkin kMetalRed{QStringLiteral(":/skin/metal_red.bmp"), {0xDCDCDC, 0x000000}};
    // White titles on the blue bar; navy digits on the ice-blue display.
    static const CBuiltInSkin kBlueCurve{QStringLiteral(":/skin/blue_curve.bmp"), {0xF2F8FF, 0x061A36}};
    return index == SKIN_BLUE_CURVE ? kBlueCurve : kMetalRed;
}

QStringList DefaultSkinRoots()
{
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/Velmora/skins"),
            QStringLiteral("/usr/share/velmora/skins")};
}

std::vector<CUserSkinFolder> FindUserSkins(const QStringList& roots)
{
    std::vector<CUserSkinFolder> found;
    for (const QString& root : roots) {
        const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            if (static_cast<int>(found.size()) >= kMaxUserSkins)
                break;
            const bool known = std::any_of(found.begin(), found.end(),
                                           [&](const CUserSkinFolder& skin) { return skin.name == name; });
            if (known)
                continue;
            CUserSkinLoad description;
            const QString path = QDir(root).filePath(name);
            ReadDescription(path, description);
            found.push_back({name, description.displayName, path});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const CUserSkinFolder& a, const CUserSkinFolder& b) {
        return a.displayName.compare(b.displayName, Qt::CaseInsensitive) < 0;
    });
    return found;
}

QString FindUserSkinFolder(const QStringList& roots, const QString& name)
{
    if (!IsPlainFolderName(name))
        return {};
    for (const QString& root : roots) {
        QString path = QDir(root).filePath(name);
        if (QFileInfo(path).isDir())
            return path;
    }
    return {};
}

CUserSkinLoad LoadUserSkin(const QString& folder)
{
    CUserSkinLoad load;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        load.error = SkinLoadError::NoFolder;
        load.file = folder;
        return load;
    }
    load.file = QDir(folder).filePath(kSheetFile);
    if (!QFileInfo(load.file).isFile()) {
        load.error = SkinLoadError::NoSheet;
        return load;
    }
    QImageReader reader(load.file, "png");
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();  // from the header alone
    if (!size.isValid() || reader.format() != "png") {
        load.error = reader.error() == QImageReader::FileNotFoundError ? SkinLoadError::NoSheet
                                                                       : SkinLoadError::Damaged;
        return load;
    }
    if (size != sprite::kSheetSize) {
        load.error = SkinLoadError::WrongSize;
        load.headerSize = size;
        return load;
    }
    QImage sheet;
    if (!reader.read(&sheet) || sheet.size() != sprite::kSheetSize) {
        load.error = SkinLoadError::Damaged;
        return load;
    }
    load.sheet = sheet;
    ReadDescription(folder, load);
    return load;
}
