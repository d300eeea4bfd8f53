#include "DisplayPresets.h"

#include <algorithm>

namespace {

using Layout = CArray::Layout;
using Storage = CArray::Storage;

// Graphic displays index a table by code, printable ASCII, read from flash on AVR. The
// HD44780's driver copies its 8 custom characters into the controller's CGRAM from RAM
// (createChar takes no const pointer), so that table stays plain.
const std::vector<DisplayPresets::Display> Displays = {
    {"hd44780", "HD44780 character LCD, its 8 custom characters that createChar copies to CGRAM",
     Layout::Rows, 0, 7, Storage::Plain},
    {"ssd1306", "SSD1306 OLED, pages of 8 rows", Layout::Columns, 32, 126, Storage::Progmem},
    {"sh1106", "SH1106 OLED, pages of 8 rows", Layout::Columns, 32, 126, Storage::Progmem},
    {"ks0108", "KS0108 graphic LCD, pages of 8 rows", Layout::Columns, 32, 126, Storage::Progmem},
    {"pcd8544", "PCD8544 (Nokia 5110) LCD, banks of 8 rows", Layout::Columns, 32, 126,
     Storage::Progmem},
    {"max7219", "MAX7219 LED matrix, a digit register a row", Layout::RowsMsb, 32, 126,
     Storage::Progmem},
    // Its graphic RAM holds 16-bit words along a row, the left pixel in the top bit: a glyph's
    // row is a byte that the driver shifts into place.
    {"st7920", "ST7920 graphic LCD, rows of 16-bit words", Layout::RowsMsb, 32, 126,
     Storage::Progmem},
};

} // namespace

const std::vector<DisplayPresets::Display>& DisplayPresets::All()
{
    return Displays;
}

const DisplayPresets::Display* DisplayPresets::Find(const QString& name)
{
    const auto found =
        std::find_if(Displays.begin(), Displays.end(), [&name](const Display& display) {
            return name == QLatin1String(display.name);
        });
    return found == Displays.end() ? nullptr : &*found;
}

QStringList DisplayPresets::Names()
{
    QStringList names;
    for (const Display& display : Displays)
        names << QLatin1String(display.name);
    return names;
}
