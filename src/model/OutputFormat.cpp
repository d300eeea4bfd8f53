#include "OutputFormat.h"

bool OutputFormat::Accepts(const FontCharSet&, QString*) const
{
    return true;
}

void OutputFormat::Warnings(const FontCharSet&, MessageList&) const {}
