#pragma once

#include "Status.h"

#include <QString>

// Where a path to be written leads, found as the system finds it when it opens the path, so
// that what is checked about an output and what is written can never be two files.
class PathResolver
{
public:
    struct Place
    {
        // Absolute, free of links, "." and "..": the file itself (which may not exist yet).
        QString path;
        // A stream the program was started with (/dev/stdout, /dev/fd/N, /proc/self/fd/N in
        // any spelling), or -1.
        int descriptor = -1;
    };

    // Follows the path one component at a time as the system does: a link's target is read
    // relative to the link's folder, ".." goes up from where the links have led, and a link
    // in a sticky folder that anyone may write (/tmp) is followed only if this user or the
    // folder's owner owns it, wherever it stands in the path. A failure with the reason when
    // the system would not open the path, or would open another file than the one named.
    static Status Resolve(const QString& path, Place& place);

    // Whether the program was given this descriptor open when it started. Any other one is
    // the program's own (a temporary file of another output), never a stream to write to.
    static bool OpenAtStart(int descriptor);
};
