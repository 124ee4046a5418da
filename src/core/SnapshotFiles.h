#pragma once

#include <QString>

// Where a snapshot goes and what the OSD says about it.
namespace SnapshotFiles {

// "snapshot<n>.bmp" for the smallest n from 1 that names no file in `folder`; the path.
QString firstFreeName(const QString &folder);

// The snapshot mark: 0 until the first press after a medium opened (which only arms the
// command), 1 from then on.
enum Mark { NotArmed = 0, Armed = 1 };

// "SnapShot ON" for the arming press, else "SnapShot Ready" or "SnapShot Error!".
QString osdText(Mark markBefore, bool captured);

} // namespace SnapshotFiles
