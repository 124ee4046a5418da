#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Which subtitle files are offered beside a film, and which one is loaded on its own.
namespace SubtitleCandidates {

// The local masks, in the order they are looked for.
QStringList masks(); // "*.txt", "*.sub", "*.srt", "*.ssa", "*.smi", "*.ass", "*.vtt"

struct Input
{
    QList<QStringList> localByMask; // file names of the film's folder, per mask, in masks() order
    QStringList folderTxt;          // "*.txt" file names of the subtitle folder
    QString folder;                 // that folder (DirectoryTXT)
    QString localDir;               // the film's folder
    QString current;                // the subtitle file already chosen (full path), or empty
    QString medium;                 // the film's path
    bool allToMenu = false;         // AllTXTToMenu
};

struct Item
{
    QString caption; // the file name, "<D> " + name for the subtitle folder's files
    QString path;    // the file it stands for
    bool checked = false;
};

struct Result
{
    QList<Item> items;   // top of the menu first
    bool dropDown = false;
    QString current;     // the file to load; empty when there is none
    bool load = false;   // false: nothing to load, the subtitle switch goes up
};

Result choose(const Input &in);

} // namespace SubtitleCandidates
