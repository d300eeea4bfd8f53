#include "MainWindow.h"

#include "FontCharSet.h"
#include "FontCharSetView.h"
#include "FontCharView.h"

#include <QHBoxLayout>

MainWindow::MainWindow()
{
    setWindowTitle(QStringLiteral("Pixmint - VANDRELL/PIMSEL - 2010"));

    _fontCharView = new FontCharView;
    _fontCharSetView = new FontCharSetView;

    auto* central = new QWidget;
    setCentralWidget(central);
    auto* layout = new QHBoxLayout;
    central->setLayout(layout);
    layout->addWidget(_fontCharView);
    layout->addWidget(_fontCharSetView);

    _fontCharSet = new FontCharSet;
    _fontCharSetView->SetFontCharSet(_fontCharSet);

    connect(_fontCharSetView, &FontCharSetView::FontCharSelected, _fontCharView,
            &FontCharView::SetFontChar);
}

MainWindow::~MainWindow()
{
    // The views hold pointers into the font: they forget it before it goes.
    _fontCharSetView->ClearFontCharSet();
    _fontCharView->ClearFontChar();
    delete _fontCharSet;
}
