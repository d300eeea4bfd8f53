#pragma once

#include "TrueTypeWriter.h"
#include "WriterFormat.h"

// TrueType (TrueTypeWriter) as an output.
using TrueTypeFormat = WriterFormat<TrueTypeWriter, OutputFormat::Kind::Binary>;
