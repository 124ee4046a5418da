#include "core/Messages.h"

// The maker's host, named in the unknown-codec message.
#define WEBHOST "www.zendor.org"

namespace {

// Built-in Polish texts, Msg00 to Msg31.
const char *const Polish[Messages::Count] = {
    /* 00 */ "Tytuł: ",
    /* 01 */ "BRAK Filmu!",
    /* 02 */ "W przód o ",
    /* 03 */ "W tył o ",
    /* 04 */ "Tekst ",
    /* 05 */ "Odliczanie Przerwane",
    /* 06 */ "Naprawiam!",
    /* 07 */ "W przód: ",
    /* 08 */ " klatki(ek)",
    /* 09 */ "BRAK KODEKA VIDEO (lub zbiór uszkodzony) !!!\n\rKodek potrzebny to: ",
    /* 10 */ "Czy chcesz pobrać przez Internet potrzebny Kodek?",
    /* 11 */ "BRAK KODEKA VIDEO (lub zbiór uszkodzony) !!!\n\rKodek potrzebny to: Windows Media coś tam Codecs\n\r\n\rCzy chcesz pobrać przez Internet potrzebny Kodek?",
    /* 12 */ "BRAK KODEKA VIDEO (lub zbiór uszkodzony) !!!\n\rKodek potrzebny to: Quick Time Movie\n\r\n\rKodek Instalowany jest z Windows 3.11 lub programem Quick Time !",
    /* 13 */ "Brak jakiegoś Kodeka ",
    /* 14 */ " (nierozpoznałem jakiego) lub zbiór uszkodzony !!!\n\rZbyt dobrze nie podziałam !!! (Kodeki są na naszej stronie: " WEBHOST ")",
    /* 15 */ "Brak",
    /* 16 */ "Widoczny Panel Sterujący",
    /* 17 */ "Pokaż Panel Sterujący",
    /* 18 */ "Wyłączam komputer za ",
    /* 19 */ "",
    /* 20 */ "Czy powiązać pliki multimedialne z programem? (Zalecane)",
    /* 21 */ "\"Brivara\" - Pierwsze uruchomienie programu",
    /* 22 */ "Czy włączyć funkcję \"Inteligentne Napisy\"? (Zalecane)\r\n\r\n\"IQ Napisów\", czyli napisy które zawsze zdążysz przeczytać!\r\n(często zdarza się tak, iż napisy są zbyt \"gęsto\" jeden po drugim\r\ni nie jesteś w stanie ich przeczytać, ale dzięki tej funkcji\r\ntego problemu już mieć nie będziesz !!! - Sprawdź Sam(a)\r\nTYLKO NASZ PROGRAM POSIADA TAK FAJNĄ FUNKCJĘ!",
    /* 23 */ "Pobieram Info...",
    /* 24 */ "Błąd Pobierania !!!",
    /* 25 */ "JEST NOWA WERSJA PROGRAMU !!!",
    /* 26 */ "NIE MA NIC NOWEGO !!!",
    /* 27 */ "Ostatnie co było i masz to:",
    /* 28 */ "Zmiany zostaną wprowadzone po ponownym uruchomieniu programu !",
    /* 29 */ "Nie udało się zapisać Menu (Menu można zapisać tylko w plikach typu AVI. MPEG jeszcze nie gotowe.)!",
    /* 30 */ "Brak Kodeka AUDIO - pewnie to kodek Dolby-AC3\r\n\r\nale niewiem napewno bo niepotrafie jeszcze wykrywać kodeków AUDIO",
    /* 31 */ "Wyłączam monitor za ",
};

// The English template's texts; Msg31 has none and stays Polish.
const char *const English[Messages::Count] = {
    /* 00 */ "Title: ",
    /* 01 */ "Lack Movie!",
    /* 02 */ "Skip Forward as ",
    /* 03 */ "Skip Back as ",
    /* 04 */ "Subtitles  ",
    /* 05 */ "CountDown Break!",
    /* 06 */ "!!!",
    /* 07 */ "Forward: ",
    /* 08 */ " frames",
    /* 09 */ "Lack of Video codec (or file error)\r\nYou need codec: ",
    /* 10 */ "Download Codec from Internet?",
    /* 11 */ "Lack of Video codec (or file error)\r\nYou need codec: Windows Media... Codecs\r\nDownload Codec from Internet?",
    /* 12 */ "Lack of Video codec (or file error)\r\nYou need codec: Quick Time Movie",
    /* 13 */ "Lack of any codec ",
    /* 14 */ " (Codec not recognited) or file error!!!\r\nI don't work good.\r\n(Codec's are available on our site: " WEBHOST ")",
    /* 15 */ "---",
    /* 16 */ "Show Panel",
    /* 17 */ "Show Panel",
    /* 18 */ "Close System  ",
    /* 19 */ "empty",
    /* 20 */ "Shall I assigned multimedia files with the program? (recommended)",
    /* 21 */ "\"Brivara\" first activation of the program",
    /* 22 */ "Shall I switch on the IQ Text function? (recommended)\r\n\r\nIQ Text - is the subtitles which you always manage to read!!\r\nVery often the subtitles come so fast one after another\r\nthat you don't manage to read everything, but from now on\r\nthanks to IQ Text, you won't have this problem any more - check yourself!!\r\nOnly our program has such function!!",
    /* 23 */ "Received Info...",
    /* 24 */ "Download Error!",
    /* 25 */ "NEW \"BRIVARA\" Get Now!",
    /* 26 */ "You have the latest version of Brivara",
    /* 27 */ "Latest version:",
    /* 28 */ "Restart program to apply change!",
    /* 29 */ "Save Error - Menu Only in AVI File (not MPEG yet)",
    /* 30 */ "Lack of Audio codec (or file error)",
    /* 31 */ nullptr,
};

} // namespace

Messages::Messages() { resetToBuiltIn(); }

void Messages::resetToBuiltIn()
{
    for (int i = 0; i < Count; ++i)
        m_texts[i] = QString::fromUtf8(Polish[i]);
}

void Messages::resetForLanguage()
{
    const QString kept = m_texts[19];
    resetToBuiltIn();
    m_texts[19] = kept;
}

QString Messages::text(int number) const
{
    return number >= 0 && number < Count ? m_texts[number] : QString();
}

bool Messages::set(int number, const QString &text)
{
    if (number < 0 || number >= Count)
        return false;
    m_texts[number] = text;
    return true;
}

QString Messages::builtIn(int number)
{
    return number >= 0 && number < Count ? QString::fromUtf8(Polish[number]) : QString();
}

QString Messages::englishTemplate(int number)
{
    if (number < 0 || number >= Count || !English[number])
        return builtIn(number);
    return QString::fromUtf8(English[number]);
}
