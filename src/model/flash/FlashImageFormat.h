#pragma once

#include "FlashImageWriter.h"
#include "WriterFormat.h"

// The raw image (FlashImageWriter) as an output of bytes as they are; it takes every font,
// one without glyphs as an empty image.
using FlashImageFormat = WriterFormat<FlashImageWriter, OutputFormat::Kind::Binary>;
