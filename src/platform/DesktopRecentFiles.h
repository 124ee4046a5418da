#pragma once

#include <QString>
#include <QThreadPool>

// The desktop's list of recently used files, which file choosers and launchers show.
class DesktopRecentList
{
public:
    virtual ~DesktopRecentList() = default;
    // Adds an opened file; returns at once.
    virtual void add(const QString &path) = 0;
};

// The freedesktop bookmark file (recently-used.xbel in the user's data folder). Each
// addition is read, merged and written on a worker of its own, one at a time and in order,
// so the UI never waits for the file or the MIME database; the last ones are finished
// before the program ends.
class XbelRecentFiles : public DesktopRecentList
{
public:
    explicit XbelRecentFiles(QString xbelPath = QString());
    ~XbelRecentFiles() override;

    void add(const QString &path) override;
    // Waits until every addition asked for so far is written (tests, and the end).
    void finish();

private:
    QString m_path;
    QString m_exec;
    QThreadPool m_worker;
};
