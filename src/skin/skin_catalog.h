// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

// The values of the "Skin" setting.
enum SkinIndex {
    SKIN_METAL_RED = 0,
    SKIN_BLUE_CURVE = 1,
    SKIN_NONE = 2,  // the plain look
};

// The colours of the texts a bitmap skin draws.
struct CSkinTextColours {
    QRgb title = 0xDCDCDC;
    QRgb time = 0x000000;
};

// A skin built into the program.
struct CBuiltInSkin {
    QString sheetPath;  // a resource path
    CSkinTextColours colours;
};

// SKIN_METAL_RED or SKIN_BLUE_CURVE; any other index gives Metal Red.
const CBuiltInSkin& BuiltInSkin(int index);

// A skin the user installed: a folder holding "sheet.png" on the built-in
// skins' sprite map and, optionally, "skin.ini" with its display name and
// text colours.
struct CUserSkinFolder {
    QString name;  // the folder's name: what the settings store
    QString displayName;
    QString path;
};

inline constexpr int kMaxUserSkins = 100;

// $XDG_DATA_HOME/Velmora/skins, then /usr/share/velmora/skins.
QStringList DefaultSkinRoots();

// The skin folders under `roots`, sorted by display name. A name found in
// two roots is the first root's. At most kMaxUserSkins.
std::vector<CUserSkinFolder> FindUserSkins(const QStringList& roots);

// The folder for skin `name` in the first root that has it; empty when
// none does or the name is not a plain folder name.
QString FindUserSkinFolder(const QStringList& roots, const QString& name);

enum class SkinLoadError {
    None,
    NoFolder,   // the folder is missing
    NoSheet,    // sheet.png is missing or unreadable
    Damaged,    // not a PNG, or its data is broken
    WrongSize,  // its header gives another size than the sprite map's
};

struct CUserSkinLoad {
    SkinLoadError error = SkinLoadError::None;
    QString file;      // the file or folder the error names
    QSize headerSize;  // for WrongSize: what the header claims
    QImage sheet;
    CSkinTextColours colours;
    QString displayName;
};

// Reads the skin in `folder`. The sheet's size is read from its header
// before anything is decoded, so a file claiming a huge image costs nothing.
CUserSkinLoad LoadUserSkin(const QString& folder);
