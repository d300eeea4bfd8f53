#pragma once

#include "CSourceWriter.h"

#include <QString>
#include <QStringList>

// The converter's command line: what to read, what to write where and how. Parse checks
// everything that can be checked before the font is read.
class ExportOptions
{
public:
    enum class Action { Help, Version, Check, Export };

    // False, with Error(), when the command line cannot be used.
    bool Parse(const QStringList& arguments);
    const QString& Error() const { return _error; }

    Action WhatToDo() const { return _action; }
    const QString& HelpText() const { return _helpText; }

    const QString& FontPath() const { return _fontPath; }
    // Empty when not asked for.
    const QString& OutputPath() const { return _outputPath; }
    const QString& HeaderPath() const { return _headerPath; }
    const QString& PngPath() const { return _pngPath; }
    // The text to draw instead of the specimen sheet, when not empty.
    const QString& Text() const { return _text; }
    int Scale() const { return _scale; }
    const CSourceWriter& Writer() const { return _writer; }

private:
    bool Fail(const QString& error);

    QString _error;
    Action _action = Action::Export;
    QString _helpText;
    QString _fontPath;
    QString _outputPath;
    QString _headerPath;
    QString _pngPath;
    QString _text;
    int _scale = 4;
    CSourceWriter _writer;
};
