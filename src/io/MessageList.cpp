#include "MessageList.h"

void MessageList::Add(const QString& message)
{
    if (IsFull())
        ++_unlisted;
    else
        _listed << message;
}

void MessageList::AddUnlisted(qint64 count)
{
    _unlisted += count;
}
