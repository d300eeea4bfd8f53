#pragma once

class CommandLineTool;
class FontOptions;
class QString;

// What each command of pixmint-font does with its font file: the handlers that the rows of the
// command table (FontOptions) carry, each giving the exit status.
class FontCommands
{
public:
    using Handler = int (*)(const CommandLineTool& tool, const FontOptions& options,
                            const QString& path);

    static int New(const CommandLineTool& tool, const FontOptions& options, const QString& path);
    static int List(const CommandLineTool& tool, const FontOptions& options, const QString& path);
    static int Show(const CommandLineTool& tool, const FontOptions& options, const QString& path);
    static int Draw(const CommandLineTool& tool, const FontOptions& options, const QString& path);
    static int Add(const CommandLineTool& tool, const FontOptions& options, const QString& path);
    static int Rename(const CommandLineTool& tool, const FontOptions& options, const QString& path);
    static int Delete(const CommandLineTool& tool, const FontOptions& options, const QString& path);
};
