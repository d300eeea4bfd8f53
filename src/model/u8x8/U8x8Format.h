#pragma once

#include "U8x8Writer.h"
#include "WriterFormat.h"

// The u8x8 tile font (U8x8Writer) as an output; it takes every font.
using U8x8Format = WriterFormat<U8x8Writer, OutputFormat::Kind::Text>;
