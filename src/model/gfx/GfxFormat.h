#pragma once

#include "GfxWriter.h"
#include "WriterFormat.h"

// The Adafruit GFX header (GfxWriter) as an output; it takes every font.
using GfxFormat = WriterFormat<GfxWriter, OutputFormat::Kind::Text>;
