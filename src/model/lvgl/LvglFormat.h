#pragma once

#include "LvglWriter.h"
#include "WriterFormat.h"

// The LVGL font (LvglWriter) as an output; it takes every font.
using LvglFormat = WriterFormat<LvglWriter, OutputFormat::Kind::Text>;
