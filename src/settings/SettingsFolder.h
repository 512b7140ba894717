#pragma once

#include <QString>

namespace tabulist {

// $XDG_CONFIG_HOME/tabulist, or ~/.config/tabulist when that is unset or not absolute;
// on Windows %APPDATA%\Tabulist.
QString PerUserSettingsFolder();

// Where Tabulist.sav lives for this user: beside the program when the user may write
// there; otherwise in the per-user folder, which is created on the way and given copies
// of the program folder's Tabulist.sav and Tabulist.ini where it has none yet, so that
// a first start there begins from the installed defaults. What cannot be created or
// copied is left to the load or store that follows, which reports it.
QString UserSettingsPath(const QString& programDirectory);

}  // namespace tabulist
