#include "U8g2FontWriter.h"

#include "CArray.h"
#include "CharacterMap.h"
#include "Message.h"
#include "MessageList.h"
#include "U8g2Source.h"

Status U8g2FontWriter::IsValidName(const QString& name)
{
    return U8g2Source::IsValidName(name);
}

QByteArray U8g2FontWriter::Bytes(const FontCharSet& set, const QByteArray& encoding) const
{
    return CArray::Encoded(U8g2Source::Text(Comment(), _name, _section, Font(set)), encoding);
}

void U8g2FontWriter::Warnings(const FontCharSet& set, MessageList& warnings) const
{
    CharacterMap(set).MissingWarning(_range, Message::Text(_outcome, {_name}), warnings);
}
