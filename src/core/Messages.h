#pragma once

#include <QString>
#include <array>

// The numbered message texts every window takes its translatable messages from
// (Msg00 to Msg31): Polish as built in, replaced entry by entry by a language file.
class Messages
{
public:
    static constexpr int Count = 32;

    Messages();

    QString text(int number) const;
    QString operator[](int number) const { return text(number); }
    // False when the number is outside the table (the entry is ignored).
    bool set(int number, const QString &text);
    void resetToBuiltIn();
    // Before a language is applied: the built-in texts again, except Msg19, which keeps
    // whatever a language file set (it is empty unless one did).
    void resetForLanguage();

    static QString builtIn(int number);
    static QString englishTemplate(int number);

private:
    std::array<QString, Count> m_texts;
};
