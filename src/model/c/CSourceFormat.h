#pragma once

#include "CSourceFile.h"
#include "WriterFormat.h"

// The C source or its header (CSourceFile) as an output.
using CSourceFormat = WriterFormat<CSourceFile, OutputFormat::Kind::Text>;
