#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

// The one settings file ("Zendor/Brivara.conf" under the user's configuration folder),
// read and written through typed calls. The file is text, so a value's type is checked
// when it is read: a hand-edited "OSDTime=abc" is reported as a value of the wrong type
// instead of quietly becoming 0.
class SettingsStore
{
public:
    enum class Type { String, Integer, Boolean, Float, FontStyle };

    struct Read
    {
        bool present = false;  // the value exists
        bool valid = false;    // and holds its type
        QVariant value;        // QString, int, bool, double or int (style bits)
    };

    // Font style bits as stored.
    enum FontStyleBit { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    explicit SettingsStore(const QString &fileName = defaultFileName());
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // $XDG_CONFIG_HOME/Zendor/Brivara.conf (or ~/.config/...).
    static QString defaultFileName();
    QString fileName() const;

    bool exists(const QString &name) const;
    Read read(const QString &name, Type type) const;
    void write(const QString &name, Type type, const QVariant &value);
    void remove(const QString &name);

    // Writes what changed to disk (atomically); false with a reason when it could not.
    bool sync(QString *error = nullptr);
    // Deletes every value and the file itself.
    bool clear(QString *error = nullptr);

    // Strict text conversions behind read(), for tests and callers with raw text.
    static Read convert(const QVariant &raw, Type type);

private:
    std::unique_ptr<QSettings> m_settings;
};
