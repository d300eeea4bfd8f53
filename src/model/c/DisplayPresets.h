#pragma once

#include "CArray.h"
#include "CodeRange.h"

#include <QString>
#include <QStringList>

#include <vector>

// The displays that firmware drives with a font's C array, each with the layout, the codes and
// the storage that its usual driver takes: the one table that the converter's help, its
// vocabulary (and so the completion and CMake) and the manual list.
class DisplayPresets
{
public:
    struct Display
    {
        const char* name;
        // The display, and how its usual driver takes the bytes.
        const char* description;
        CArray::Layout layout;
        int first;
        int last;
        CArray::Storage storage;

        CodeRange Range() const { return CodeRange(first, last); }
    };

    static const std::vector<Display>& All();
    // The display of that name; null for none.
    static const Display* Find(const QString& name);
    static QStringList Names();
};
