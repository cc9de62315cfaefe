#pragma once

#include <QString>

namespace tintwell::platform {

// Everything the program keeps between runs, named once. Application
// "Tintwell" is the INI file $XDG_CONFIG_HOME/Tintwell/Tintwell.conf
// (~/.config/… when unset); a section is a group in it.
namespace settings {
inline const QString kApplication = QStringLiteral("Tintwell");
inline const QString kMainWindow = QStringLiteral("frmMain");
inline const QString kLeft = QStringLiteral("Left");
inline const QString kTop = QStringLiteral("Top");
inline constexpr int kDefaultPosition = 1000; // twips
} // namespace settings

// The per-user settings store, by application, section and key; values are
// strings.

// The stored string, or `defaultValue` when the entry is missing or holds
// something other than a single string.
QString GetSetting(const QString& application, const QString& section, const QString& key, const QString& defaultValue);

// Creates or replaces the entry. False when the store could not be written
// (a read-only folder, say); the program carries on either way.
bool SaveSetting(const QString& application, const QString& section, const QString& key, const QString& value);

// Where an application's settings live.
QString SettingsFile(const QString& application);

} // namespace tintwell::platform
