#pragma once

#include "U8g2Writer.h"
#include "WriterFormat.h"

// The u8g2 font (U8g2Writer) as an output; it takes every font.
using U8g2Format = WriterFormat<U8g2Writer, OutputFormat::Kind::Text>;
