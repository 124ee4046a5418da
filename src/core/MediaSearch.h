#pragma once

#include <QStringList>
#include <atomic>
#include <functional>

// Finding media files under a folder: depth-first, the files of a folder (extension by
// extension, in the list's order) before its subfolders.
namespace MediaSearch {

// Entries of the extension list from this one on are sound; those before it are pictures.
inline constexpr int FirstAudioExtension = 14;

struct Options
{
    QStringList extensions; // upper case, without the dot, in the preferences' order
    bool video = true;
    bool audio = true;
    bool dat = false;       // "DAT" is looked for only when asked (it is often not a film)
    bool subfolders = true;
};

// The extensions looked for, in order, lower case: the video and/or audio part of the list,
// without "MPEG" (its files are found by "MPE") and without "DAT" unless asked for.
QStringList searchedExtensions(const Options &options);

// Folders that are not a disk's files and are never entered: /proc, /sys, /dev, /run.
bool isSystemFolder(const QString &path);

// Walks `folder`, calling `found` with each file's full path as it is found. `stop`, when it
// turns true, lets the folder being scanned finish and enters no further one. Folders
// reached through symbolic links are not entered (a link may lead back up the tree);
// links to files count as the files. Returns the number of folders scanned.
int run(const QString &folder, const Options &options, const std::atomic<bool> &stop,
        const std::function<void(const QString &path)> &found);

} // namespace MediaSearch
