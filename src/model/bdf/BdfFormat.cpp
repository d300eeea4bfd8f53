#include "BdfFormat.h"

#include "Message.h"

Status BdfFormat::IsValidFamily(const QString& family)
{
    bool plain = !family.isEmpty() && family.size() <= LongestFamily;
    for (const QChar character : family)
        plain = plain && character >= u' ' && character < u'\x7F' &&
                !QStringLiteral("-?*,\"").contains(character);
    if (plain)
        return Status();
    return Status::Failure(Message::Text(u"is not a BDF family name: 1 to %1 printable "
                                         u"ASCII characters, none of - ? * , \"",
                                         {LongestFamily}));
}
