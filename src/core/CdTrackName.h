#pragma once

#include <QString>

// The names audio disc tracks go by: the drive (a device such as /dev/sr0, or a disc
// image's .cue file), "/Track", two digits, ".cda" - "/dev/sr0/Track01.cda".
namespace CdTrackName {

// The drive: everything before the last "Track" of the name, without its trailing "/".
QString drive(const QString &trackPath);
// The two characters before ".cda", as the track number; 0 when they are not digits.
int number(const QString &trackPath);
// "01".."99" as the device wants them.
QString twoDigits(int track);
// drive + "/Track" + two digits + ".cda".
QString path(const QString &drive, int track);
// The drive a command-line argument names, empty when it names none: a device path
// ("/dev/sr0"), a disc image ("disc.cue", made absolute), or the disc as the desktop's
// autoplay hands it over ("cdda://sr0/", or its gvfs folder ".../gvfs/cdda:host=sr0").
QString driveOfArgument(const QString &argument);

// A track exists while its drive does (a device node or the image's .cue file).
bool exists(const QString &trackPath);

} // namespace CdTrackName
