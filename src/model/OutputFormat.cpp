#include "OutputFormat.h"

Status OutputFormat::Accepts(const FontCharSet&) const
{
    return Status();
}

void OutputFormat::Warnings(const FontCharSet&, MessageList&) const {}
