#include "platform/window/settings_store.h"

#include <QSettings>
#include <QVariant>

namespace tintwell::platform {

namespace {

// The native format on Linux is INI text, in a .conf file.
QSettings Store(const QString& application)
{
    return {QSettings::NativeFormat, QSettings::UserScope, application, application};
}

} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key, const QString& defaultValue)
{
    const QSettings store = Store(application);
    const QVariant value = store.value(section + u'/' + key);
    // A hand-edited entry with commas reads as a list; that is no position.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    return value.toString();
}

bool SaveSetting(const QString& application, const QString& section, const QString& key, const QString& value)
{
    QSettings store = Store(application);
    store.setValue(section + u'/' + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString SettingsFile(const QString& application)
{
    return Store(application).fileName();
}

} // namespace tintwell::platform
