#include "BdfLines.h"

#include <algorithm>

qsizetype BdfLines::End(QByteArrayView text, qsizetype start)
{
    return std::find_if(text.begin() + start, text.end(),
                        [](char byte) { return byte == '\n' || byte == '\r'; }) -
           text.begin();
}
