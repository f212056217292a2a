// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/player_app.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    // The player places its own windows and embeds video into them, which
    // a Wayland session allows only through XWayland.
    if (std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);

    CPlayerApp player(argc, argv);
    if (!player.InitInstance())
        return player.HandedOver() ? 0 : 1;
    player.Run();
    return player.ExitInstance();
}
