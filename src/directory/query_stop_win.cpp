// query_stop_win.cpp - QueryStop on Windows: the flag alone. The search waits in short slices of
// the library's own result call and looks at the flag between them, so there is no descriptor
// to wake and no socket to shut.
#include "directory/query_stop.h"

QueryStop::QueryStop() = default;
QueryStop::~QueryStop() = default;

void QueryStop::Raise()
{
    m_raised.store(true);
}

void QueryStop::Watch(int socket)
{
    m_watched.store(socket);
}

void QueryStop::Unwatch()
{
    m_watched.store(-1);
}
