#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Registers the player with the freedesktop shell for the current user only: a desktop
// entry, its icon, the chosen extensions' types as defaults in mimeapps.list, a MIME
// package for extensions the system does not know, and the audio-CD handler. Nothing is
// written outside the user's data and config folders.

struct AssociationIcon
{
    int size = 32;   // pixels, square
    QByteArray png;  // the picture, drawn by the caller
};

struct AssociationRequest
{
    QString executable;          // absolute path of the program to start
    int iconIndex = 1;           // names the icon: "brivara-<index>"
    QList<AssociationIcon> icons; // the chosen icon at each size it is installed in
    QStringList extensions;      // without the dot; case does not matter
    // Those of extensions that are audio, for naming a type the player has to declare.
    QStringList audioExtensions;
};

struct AssociationResult
{
    bool ok = false;
    QString error;                   // "Failed to set data for '...'" when ok is false
    QStringList failed;              // extensions left unassociated
    QStringList registeredMimeTypes; // file types now opened by the player
    QStringList ownMimeTypes;        // of those, the ones the player's MIME package declares
    QStringList warnings;            // steps that did not run, the rest still done
};

// Where the files go; from XDG_DATA_HOME, XDG_CONFIG_HOME and HOME as they are now.
struct AssociationPaths
{
    QString dataHome;
    QString configHome;

    static AssociationPaths current();
    QString desktopEntry() const;    // <data>/applications/brivara.desktop
    QString icon(int size, int index) const;
    QString mimeDirectory() const;   // <data>/mime
    QString mimePackage() const;     // <data>/mime/packages/brivara.xml
    QString mimeAppsList() const;    // <config>/mimeapps.list
};

namespace Associations {
inline constexpr char DesktopId[] = "brivara.desktop";
inline constexpr char AudioCdType[] = "x-content/audio-cdda";
QString iconName(int index);
} // namespace Associations

AssociationResult registerAssociations(const AssociationRequest &request);
