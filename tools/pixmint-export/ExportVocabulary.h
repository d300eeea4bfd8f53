#pragma once

#include <QByteArray>

// What pixmint_add_font takes from the converter when a project is configured
// (pixmint-export --vocabulary), so that a layout, an option or a format that the converter
// gains reaches CMake without an edit there. One line each, its fields separated by tabs, "-"
// for a field that is empty:
//   name  DEFAULT  PATTERN            the array's name by default, and the CMake regular
//                                     expression that every NAME matches
//   option  KEYWORD  --OPTION  value|flag  array|any  [VALUE...]
//                                     an option that shapes the outputs; "array" where it shapes
//                                     the C array alone; the values it takes where they are few
//   excludes  --OPTION  --OPTION  MESSAGE
//                                     two options that cannot be given together
//   format  KEYWORD  --OPTION  FILE  source|adds|replaces  MAKES
//                                     an output: the keyword that asks for it, the file it is
//                                     given (@name@ for NAME, @extension@ for c or cpp);
//                                     "source" for the C source, written unless a format that
//                                     "replaces" it is asked for, "adds" for one written beside it
//   identifiers  --FORMAT  --OPTION|-  IDENTIFIER...
//                                     what the output defines, with that option given or always
class ExportVocabulary
{
public:
    static QByteArray Text();
};
