// Choosing the language: the message table, then every window's captions and hints, the
// video window's menu and the key descriptions, from the active language file or the
// built-in English template.
#include "ui/settings/TForm4.h"

#include "core/LanguageChoice.h"
#include "core/LanguageFile.h"
#include "core/Messages.h"
#include "core/PanelLayout.h"
#include "core/ProgramFolder.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/video/TForm2.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QTableWidget>

void TForm4::OpenLang(const QString &name)
{
    Messages &msg = app.messages();
    msg.resetForLanguage();
    const LanguageChoice::Outcome outcome = LanguageChoice::choose(
        name, ProgramFolder::path(), ProgramFolder::shippedData(), app.systemLanguage == QLocale::Polish);
    if (outcome.restartNotice)
        app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(),
                              QStringLiteral("Język Polski Zadziała po Restarcie Programu!"));
    if (!outcome.lines)
        return;

    using LanguageFile::Window;
    const LanguageFile::Texts texts = LanguageFile::parse(*outcome.lines);
    for (auto it = texts.messages.cbegin(); it != texts.messages.cend(); ++it)
        msg.set(it.key(), it.value());
    app.form1()->ApplyLanguage(texts.componentsOf(Window::Panel));
    app.form2()->ApplyMenuTexts(texts.menu);
    app.formPlayList()->ApplyLanguage(texts.componentsOf(Window::PlayList));
    app.formFiltry()->ApplyLanguage(texts.componentsOf(Window::Filters));
    ApplyLanguage(texts.componentsOf(Window::Setup));

    for (auto it = texts.keys.cbegin(); it != texts.keys.cend(); ++it) {
        if (it.key() == 0)
            KeyListEditor->horizontalHeaderItem(0)->setText(it.value());
        else
            m_keys.setDescription(it.key(), it.value());
    }
    if (!texts.keys.isEmpty())
        showKeys();
    if (texts.transparent)
        FontTypeGroup->button(0)->setText(*texts.transparent);
    if (texts.opaque)
        FontTypeGroup->button(1)->setText(*texts.opaque);
}
