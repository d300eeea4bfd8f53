#include "BdfFormat.h"

#include "Message.h"

bool BdfFormat::IsValidFamily(const QString& family, QString* reason)
{
    bool plain = !family.isEmpty() && family.size() <= LongestFamily;
    for (const QChar character : family)
        plain = plain && character >= u' ' && character < u'\x7F' &&
                !QStringLiteral("-?*,\"").contains(character);
    if (plain)
        return true;
    return Message::Fail(reason, Message::Text(u"is not a BDF family name: 1 to %1 printable "
                                               u"ASCII characters, none of - ? * , \"",
                                               {LongestFamily}));
}
