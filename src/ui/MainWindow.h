#pragma once

#include <QMainWindow>

class FontCharSet;
class FontCharSetView;
class FontCharView;

// The editor's one window: the glyph grid on the left, the list of names on the right,
// both showing the one font that the window owns.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    // The font being edited, for reading; it changes when a file command replaces it.
    const FontCharSet* GetFontCharSet() const { return _fontCharSet; }

private:
    FontCharSet* _fontCharSet = nullptr;
    FontCharView* _fontCharView = nullptr;
    FontCharSetView* _fontCharSetView = nullptr;
};
