#pragma once

#include "IntelHexWriter.h"
#include "WriterFormat.h"

// The raw image as Intel HEX records (IntelHexWriter) as an output: ASCII lines, which
// programmers read with either line end; it refuses an image that passes the records' reach,
// and warns as the image does.
using IntelHexFormat = WriterFormat<IntelHexWriter, OutputFormat::Kind::Text>;
